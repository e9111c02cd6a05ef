#include "asm/messages.h"

#include <utility>

#include "base/translation.h"

namespace orrin {

namespace {

// English pattern, Chinese pattern; a more particular pattern before a more
// general one it would also match.
constexpr std::pair<const char*, const char*> kMessages[] = {
    {"bad label '%1'", "标号“%1”不合法"},
    {"duplicate label '%1'", "标号“%1”重复"},
    {"label '%1' is past FF", "标号“%1”的地址超过 FF"},
    {"ORG needs one address", "ORG 需要一个地址"},
    {"value out of range: address %1 is past FF", "数值超出范围：地址 %1 超过 FF"},
    {"value out of range: %1", "数值超出范围：%1"},
    {"undefined label '%1'", "标号“%1”未定义"},
    {"bad value '%1'", "数值“%1”不合法"},
    {"no register %1 (R0-R3 only)", "没有寄存器 %1（只有 R0-R3）"},
    {"bad operand '%1', a register in brackets", "操作数“%1”不对，应为方括号中的寄存器"},
    {"bad operand '%1', a register", "操作数“%1”不对，应为寄存器"},
    {"overlapping bytes at address %1 (line %2)", "地址 %1 的字节重叠（第 %2 行已用）"},
    {"DB needs at least one value", "DB 至少需要一个数值"},
    {"unknown mnemonic '%1'", "未知助记符“%1”"},
    {"%1 takes %2: one operand", "%1 的格式为 %2：一个操作数"},
    {"%1 takes %2: two operands", "%1 的格式为 %2：两个操作数"},
    {"%1 takes %2", "%1 的格式为 %2：没有操作数"},
    {"bad jump target '%1', a label or +n", "跳转目标“%1”不对，应为标号或 +n"},
    {"bad jump target '%1'", "跳转目标“%1”不合法"},
    {"jump out of range: %1 is %2 bytes from the next instruction (0 to 15 forward)",
     "跳转超出范围：%1 距下一条指令 %2 字节（只能向前 0 到 15）"},
    // The instruction-set reader.
    {"needs an opcode, a mnemonic and an operand form", "需要操作码、助记符和操作数格式"},
    {"the opcode is one hex digit: %1", "操作码是一位十六进制数：%1"},
    {"unknown operand form %1", "未知的操作数格式 %1"},
    {"bad mnemonic %1", "助记符不合法：%1"},
    {"mnemonic or opcode given twice: %1", "助记符或操作码重复：%1"},
    // The microprogram source.
    {"too large (over 1 MiB)", "文件太大（超过 1 MiB）"},
    {"a word starts with its address, two hex digits and ':': '%1'", "微指令要以地址开头（两位十六进制数和“:”）：“%1”"},
    {"bad address '%1': two hex digits 00-3F", "地址“%1”不对，应为两位十六进制数 00-3F"},
    {"address %1 is past 3F", "地址 %1 超过 3F"},
    {"next address %1 is past 3F", "下址 %1 超过 3F"},
    {"two words at address %1 (line %2)", "地址 %1 有两条微指令（第 %2 行已用）"},
    {"bad label '%1' (a letter, then letters, digits, _)", "标号“%1”不合法（字母开头，后面是字母、数字或 _）"},
    {"label '%1' is spelt like an item or an address", "标号“%1”与信号名或地址同形"},
    {"label '%1' defined twice (line %2)", "标号“%1”重复定义（第 %2 行已定义）"},
    {"'%1' given twice in a word", "“%1”在一条微指令中出现两次"},
    {"-> needs one next address, and nothing after it", "-> 后面要有一个下址，且其后不能再有内容"},
    {"bad next address '%1': two hex digits 00-3F or a label", "下址“%1”不对，应为两位十六进制数 00-3F 或标号"},
    {"S= takes one hex digit: '%1'", "S= 后面是一位十六进制数：“%1”"},
    {"SEL= takes one hex digit: '%1'", "SEL= 后面是一位十六进制数：“%1”"},
    {"unknown word '%1'", "未知的词“%1”"},
    {"not UTF-8 text: a microprogram source is a plain text file", "不是 UTF-8 文本：微程序源文件是纯文本文件"},
};

std::string LineInChinese(std::string_view line) {
  for (size_t colon = line.find(": "); colon != std::string_view::npos; colon = line.find(": ", colon + 1)) {
    const std::string_view message = line.substr(colon + 2);
    for (const auto& [english, chinese] : kMessages) {
      std::optional<std::vector<std::string>> parts;
      if (std::string_view(english).find('%') == std::string_view::npos) {
        if (message != english) continue;
        parts.emplace();
      } else if (!(parts = MatchPattern(english, message))) {
        continue;
      }
      return std::string(line.substr(0, colon + 2)) + FillPattern(chinese, *parts);
    }
  }
  return std::string(line);
}

}  // namespace

std::string AsmMessagesInChinese(std::string_view text) {
  std::string out;
  for (size_t from = 0;;) {
    const size_t end = text.find('\n', from);
    out += LineInChinese(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
    if (end == std::string_view::npos) return out;
    out += '\n';
    from = end + 1;
  }
}

}  // namespace orrin
