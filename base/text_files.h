#pragma once
// Whole-file reading and writing for the memory and microprogram files, and
// the warnings that name a file that could not be used.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orrin::files {

enum class ReadResult { Ok, CannotRead, TooLarge };

// What a name may stand for. The board's files (what a student names in a
// dialog, a lab, a check) must be regular files: a FIFO would block the
// program and a device never end. A command line's own paths may be
// streams too (orrin-asm x.asm -o /dev/stdout, a shell's <(…)).
enum class Accept { RegularFiles, Streams };

// Reads the whole file into `out`, refusing (TooLarge) a file of more than
// `limit` bytes without keeping any of it.
ReadResult ReadWholeFile(const std::string& name, std::size_t limit, std::string& out,
                         Accept accept = Accept::RegularFiles);
// Creates or replaces the file with `data`; false when it could not be
// created or written completely.
bool WriteWholeFile(const std::string& name, std::string_view data, Accept accept = Accept::RegularFiles);

// The same on a file already open (and taken over: closed at the end).
ReadResult ReadWholeFd(int fd, std::size_t limit, std::string& out);
bool WriteWholeFd(int fd, std::string_view data);

std::string CannotReadWarning(const std::string& name);   // "无法读取文件：NAME"
std::string CannotWriteWarning(const std::string& name);  // "无法写入文件：NAME"
// The lines of a file that gave nothing and were passed over, for a warning:
// "3, 7, 12" (the first ten, then "…").
std::string LineList(const std::vector<int64_t>& lines);

// A text for a terminal or a report: valid UTF-8 stays; control characters
// and bytes that are not UTF-8 (a folder unzipped from a GBK archive) are
// written \xHH, so no name can break a line, a field or an XML file, nor
// steer a terminal.
std::string PrintableText(const std::string& text);
// Whether every byte of the text belongs to a valid UTF-8 character.
bool IsUtf8(const std::string& text);
// The same line by line: the line ends of a text of several lines stay.
std::string PrintableLines(const std::string& text);

// Whether the text holds nothing but blanks and line ends (an empty file).
bool IsBlank(std::string_view text);
// ASCII letters in upper case, every other byte as it is.
std::string UpperAscii(std::string_view s);
// Without the white space (blanks, tabs, line ends) at either end.
std::string_view TrimSpace(std::string_view s);
// A letter, then letters, digits or '_': a label or a mnemonic as the
// assembler and the microprogram source spell them.
bool IsName(std::string_view s);

// The extension of a file name in lower case, without its dot ("Sum.ASM"
// gives "asm"); "" for none (a dot in a folder's name does not count).
std::string LowerExtension(const std::string& path);

// Characters of a UTF-8 text as a person counts them (one per code point).
std::size_t CharacterCount(std::string_view text);

}  // namespace orrin::files
