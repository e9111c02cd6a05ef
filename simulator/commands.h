#pragma once
// The user's actions as console commands, each named once: its word, what
// kind of action it is, whether it names a file, and the button whose click
// it is. orrin-run's parser, a recorded session, a lab's set-up and the file
// confinement, the window and the page all take the words from here.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/board_view.h"

namespace orrin {

// What a command does to the board and a playback:
//   Act       acts on the live board, after returning to the newest position
//   Look      reads the board (or moves the mouse over it): a shown position stays
//   Playback  moves the shown position (the arrows, the diagram's click)
enum class CommandKind : uint8_t { Act, Look, Playback };
// The file a command names, the rest of its line (Export: a word of it).
enum class FileUse : uint8_t { None, Load, Save, Export };

// X(ID, word, kind, file use)
// clang-format off
#define ORRIN_COMMANDS(X)                                                       \
  X(Power, "power", Act, None) X(Clr, "clr", Act, None) X(Qd, "qd", Act, None)  \
  X(Pulse, "pulse", Act, None) X(Pause, "pause", Act, None)                     \
  X(Step, "step", Act, None) X(Dp, "dp", Act, None) X(Swc, "swc", Act, None)    \
  X(Swb, "swb", Act, None) X(Swa, "swa", Act, None)                             \
  X(Back, "back", Playback, None) X(Forward, "forward", Playback, None)         \
  X(K, "k", Act, None) X(Sd, "sd", Act, None) X(Mode, "mode", Act, None)        \
  X(Tick, "tick", Act, None) X(Run, "run", Act, None)                           \
  X(AnswerNext, "answer", Act, None) X(Print, "print", Look, None)              \
  X(Dump, "dump", Look, None) X(ExportTrace, "export-trace", Look, Export)      \
  X(CloseNote, "close-note", Act, None) X(Show, "show", Playback, None)         \
  X(Move, "move", Look, None) X(Release, "release", Act, None)                  \
  X(Wire, "wire", Act, None) X(ClearWires, "clear-wires", Act, None)            \
  X(LoadWires, "load-wires", Act, Load) X(SaveWires, "save-wires", Act, Save)   \
  X(Hover, "hover", Look, None) X(HoverK, "hover-k", Look, None)                \
  X(HoverLabel, "hover-label", Look, None) X(Leave, "leave", Look, None)        \
  X(HoverConsole, "hover-console", Look, None) X(Blink, "blink", Look, None)    \
  X(WireColour, "wire-colour", Act, None) X(Edit, "edit", Act, None)            \
  X(MemCell, "mem-cell", Act, None) X(MicroCell, "micro-cell", Act, None)       \
  X(MemSave, "mem-save", Act, None) X(MicroSave, "micro-save", Act, None)       \
  X(LoadMemory, "load-memory", Act, Load)                                       \
  X(SaveMemory, "save-memory", Act, Save)                                       \
  X(LoadMicro, "load-micro", Act, Load) X(SaveMicro, "save-micro", Act, Save)   \
  X(LoadMicroSource, "load-micro-source", Act, Load)                            \
  X(SaveMicroSource, "save-micro-source", Act, Save)                            \
  X(LoadController, "load-controller", Act, Load)                               \
  X(LoadAsm, "load-asm", Act, Load) X(Expect, "expect", Look, None)             \
  X(Fault, "fault", Act, None) X(Choose, "choose", Look, None)
// clang-format on

enum class Cmd : uint8_t {
#define ORRIN_CMD_ID(id, word, kind, file) id,
  ORRIN_COMMANDS(ORRIN_CMD_ID)
#undef ORRIN_CMD_ID
      Count
};

struct CommandInfo {
  std::string_view word;
  CommandKind kind;
  FileUse file;
};
inline constexpr CommandInfo kCommandInfo[static_cast<size_t>(Cmd::Count)] = {
#define ORRIN_CMD_INFO(id, word, kind, file) {word, CommandKind::kind, FileUse::file},
    ORRIN_COMMANDS(ORRIN_CMD_INFO)
#undef ORRIN_CMD_INFO
};
inline constexpr const CommandInfo& Info(Cmd c) { return kCommandInfo[static_cast<size_t>(c)]; }
inline constexpr std::string_view Word(Cmd c) { return Info(c).word; }

// The command a word names; nothing for a word that is none.
std::optional<Cmd> FindCommand(std::string_view word);
// Whether a command names a file its dialog would ask for (load-wires,
// save-memory …): its file name is the rest of the line.
inline bool IsFileCommand(Cmd c) { return Info(c).file == FileUse::Load || Info(c).file == FileUse::Save; }
// Whether a command writes a file (the save-* commands and export-trace).
inline bool IsWriteCommand(Cmd c) { return Info(c).file == FileUse::Save || Info(c).file == FileUse::Export; }

// The same by a command's word (false for a word that is no command).
inline bool IsFileCommand(std::string_view word) {
  const std::optional<Cmd> c = FindCommand(word);
  return c && IsFileCommand(*c);
}
inline bool IsWriteCommand(std::string_view word) {
  const std::optional<Cmd> c = FindCommand(word);
  return c && IsWriteCommand(*c);
}

// A command's console line: its word and its arguments, blank-separated.
inline void AppendArgument(std::string& line, std::string_view a) { (line += ' ') += a; }
template <typename N>
requires std::is_integral_v<N>
void AppendArgument(std::string& line, N n) { (line += ' ') += std::to_string(n); }
template <typename... Args>
std::string CommandLine(Cmd c, const Args&... args) {
  std::string line(Word(c));
  (AppendArgument(line, args), ...);
  return line;
}

// A click on a button or switch as the console line that does it.
struct Click {
  WidgetId widget;
  Cmd command;
  const char* argument;  // "" for none
};
// The buttons and switch pictures whose click is one command.
extern const Click kClicks[];
extern const size_t kClickCount;
// The console line of a click on `widget`; empty when its click is no command.
std::string ClickLine(WidgetId widget);

// The menu items that are one file command, and the file it suggests: the
// extensions a load takes, the name a save proposes; and the folder of the
// shipped examples a load offers first.
struct MenuCommand {
  WidgetId item;
  Cmd command;
  const char* file;
  const char* examples;
};
extern const MenuCommand kMenuCommands[];
extern const size_t kMenuCommandCount;

// The console's keys, in the window's notation ("F5", "Alt+Left"): each
// does what a click on its widget does.
struct ConsoleKey {
  WidgetId widget;
  const char* key;
};
extern const ConsoleKey kConsoleKeys[];
extern const size_t kConsoleKeyCount;

}  // namespace orrin
