#pragma once
// The assembler's and the instruction-set reader's messages are English, as
// orrin-asm and orrin-run print them; the window shows them in Chinese when
// its language is Chinese.
#include <string>
#include <string_view>

namespace orrin {

// `text` with every line that ends in one of those messages after a ": "
// ("sum.asm:3: unknown mnemonic 'FOO'") given the message in Chinese; other
// lines as they are.
std::string AsmMessagesInChinese(std::string_view text);

}  // namespace orrin
