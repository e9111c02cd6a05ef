// The web page's module: the simulator the window drives, driven by the page
// instead. The page performs the user's actions as console lines (every
// action of the window is one), reads back what changed in the board's view
// as JSON, and paints it; `run` performs a whole console script and returns
// what orrin-run prints.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/lab.h"
#include "app/runner.h"
#include "asm/assembler.h"
#include "base/widget_groups.h"
#include "layout/layout.h"
#include "machine/trace_diagram.h"
#include "machine/trace_signals.h"
#include "simulator/simulator.h"

namespace orrin::web {

namespace {

// A question is the browser's own confirm box (OK is yes, Cancel cancels:
// the board's questions only go on with yes), in the page's language: the
// page hands the module its translation (Module.tr) when it creates it.
EM_JS(int, AskInPage, (const char* text), {
  const question = UTF8ToString(text);
  return window.confirm(Module.tr ? Module.tr(question) : question) ? 1 : 0;
});

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Json(const std::vector<std::string>& v) {
  std::string out = "[";
  for (size_t i = 0; i < v.size(); ++i) out += (i ? "," : "") + Json(v[i]);
  return out + "]";
}

// The page's host: warnings are kept for the page to show after the action,
// a question is the browser's confirm box, and a file dialog or the colour
// dialog returns what the action's console line named (the page's file
// picker and downloads work through the module's file system).
class PageHost : public Host {
 public:
  explicit PageHost(ScriptHost& lines) : lines_(lines) {}
  std::vector<std::string> warnings;

  void Warn(const std::string& text) override { warnings.push_back(text); }
  Answer Ask(const std::string& text) override { return AskInPage(text.c_str()) ? Answer::Yes : Answer::Cancel; }
  std::string OpenFileName() override { return lines_.OpenFileName(); }
  std::string SaveFileName() override { return lines_.SaveFileName(); }
  std::optional<uint32_t> ChooseColor(uint32_t current) override { return lines_.ChooseColor(current); }

 private:
  ScriptHost& lines_;
};

struct Page {
  std::ostringstream boxes;
  ScriptHost script{boxes, nullptr};
  PageHost host{script};
  Simulator sim{host};
  RunnerContext ctx{sim, script, boxes};
  uint64_t canvasShown = ~0ull;
  // The lines and cells last sent, so that a list whose selection moves (the
  // memory listing during a run) does not send its 256 lines every frame.
  std::map<WidgetId, std::pair<std::vector<std::string>, std::vector<std::string>>> sent;
  std::unique_ptr<Lab> lab;
  std::optional<LabProgress> progress;
  double labStarted = 0;  // emscripten_get_now() when the lab began
};

Page* page = nullptr;

int64_t LabElapsed() { return static_cast<int64_t>(emscripten_get_now() - page->labStarted); }

// The lab's steps the board now makes hold, in order (numbered from 1).
std::vector<std::string> Done() {
  std::vector<std::string> done;
  if (page->progress)
    for (size_t s : page->progress->Check(page->sim, page->sim.Choice(), LabElapsed()))
      done.push_back(std::to_string(s + 1));
  return done;
}

std::string WidgetJson(WidgetId id, bool all) {
  const WidgetState& w = page->sim.view[id];
  auto& [lines, cells] = page->sent[id];
  const bool newLines = all || lines != w.lines, newCells = all || cells != w.cells;
  if (newLines) lines = w.lines;
  if (newCells) cells = w.cells;
  std::ostringstream o;
  o << "{\"i\":" << static_cast<int>(id) << ",\"text\":" << Json(w.text) << ",\"pic\":" << Json(PicName(w.picture))
    << ",\"color\":" << w.color << ",\"fontColor\":" << w.fontColor << ",\"visible\":" << w.visible
    << ",\"enabled\":" << w.enabled << ",\"readOnly\":" << w.readOnly << ",\"checked\":" << w.checked
    << ",\"moved\":" << w.moved << ",\"x\":" << w.x << ",\"y\":" << w.y
    << ",\"lines\":" << (newLines ? Json(w.lines) : "null") << ",\"selected\":" << w.selectedLine
    << ",\"cols\":" << w.cols << ",\"rows\":" << w.rows << ",\"currentRow\":" << w.currentRow
    << ",\"currentCol\":" << w.currentCol << ",\"cells\":" << (newCells ? Json(w.cells) : "null") << "}";
  return o.str();
}

}  // namespace

// The board picture under the wires (856 x 578, 0x00BBGGRR), then a new board.
void Start(uintptr_t pixels) {
  delete page;
  page = new Page;
  const auto* p = reinterpret_cast<const uint32_t*>(pixels);
  page->sim.cleanBoard.assign(p, p + Canvas::Width * Canvas::Height);
  page->sim.Startup();
  page->sim.session.Start(true);
}

// Another board picture (the language changed): the wires stay drawn over it.
void Rebase(uintptr_t pixels) {
  const auto* p = reinterpret_cast<const uint32_t*>(pixels);
  page->sim.ReplaceBoardPicture(std::vector<uint32_t>(p, p + Canvas::Width * Canvas::Height));
}

// What an action came to, as JSON: the error of a bad one, the warnings it
// raised, the lab's steps it made hold. The lab hears of a shortcut it
// forbids, or a wrong answer, as the window's panel does.
std::string Acted(bool acted, const std::string& error) {
  Page& p = *page;
  if (acted && p.progress) {
    const auto verdict =
        p.progress->Saw(p.ctx.line, p.sim.console.PowerOn, static_cast<int64_t>(p.sim.session.Lines().size()));
    if (verdict == LabProgress::Verdict::Forbidden)
      p.host.warnings.push_back("本实验不允许这样做：" + p.progress->LastForbidden()->action +
                                "。之后的步骤不再算完成；重新打开实验可从头开始。");
    if (verdict == LabProgress::Verdict::WrongAnswer) p.host.warnings.push_back("答案不对，再想想。");
  }
  return "{\"error\":" + Json(error) + ",\"warnings\":" + Json(p.host.warnings) + ",\"done\":" + Json(Done()) + "}";
}

// One action as a console line (a file name or colour its dialog returns is
// on the line): what a script on the page does.
std::string Act(const std::string& line) {
  std::string error;
  bool acted = false;
  page->host.warnings.clear();
  RunLine(page->ctx, line, error, acted);
  return Acted(acted, error);
}

// One action of the page's own: a command of the table and its arguments,
// each whole (a typed value, a file's name), never composed into a line.
std::string Do(const Words& words) {
  std::string error;
  bool acted = false;
  page->host.warnings.clear();
  if (!FindCommand(words[0]))
    error = "unknown command '" + words[0] + "'";
  else
    RunCommand(page->ctx, words, error, acted);
  return Acted(acted, error);
}

// Ticks of a timer the view shows: 0 the run timer (the view held through
// them), 1 the bad-wire blink, 2 the playback arrow's delay, 3 its repeat.
// Returns the lab's steps they made hold, as JSON.
std::string Tick(int timer, int n) {
  Simulator& s = page->sim;
  if (timer == 0) {
    const ViewHold hold(s);
    for (int i = 0; i < n && s.console.Timer_RUN.enabled; ++i) s.Timer_RUNTimer();
    s.session.Break();  // the page looks at the board now
  } else {
    for (int i = 0; i < n; ++i) {
      if (timer == 1) s.Timer_WrongLineTimer();
      if (timer == 2) s.Timer_TriggerTimer();
      if (timer == 3) s.Timer_RecotdBackPlayTimer();
    }
  }
  return Json(Done());
}

// The timers as [enabled, interval ms] each, in Tick's order.
std::string Timers() {
  const Simulator& s = page->sim;
  std::string out = "[";
  const TimerRecord* all[] = {&s.console.Timer_RUN, &s.editor.Timer_WrongLine, &s.trace.Timer_Trigger,
                              &s.trace.Timer_RecotdBackPlay};
  for (size_t i = 0; i < 4; ++i)
    out += std::string(i ? "," : "") + "[" + (all[i]->enabled ? "1" : "0") + "," + std::to_string(all[i]->intervalMs) +
           "]";
  return out + "]";
}

// What changed since the last call: widgets, the coordinate labels, whether
// the board picture must be painted again; `all` for everything.
std::string View(bool all) {
  Simulator& s = page->sim;
  std::vector<WidgetId> dirty = s.view.TakeDirty();
  if (all) {
    dirty.clear();
    for (int i = 0; i < WidgetCount; ++i) dirty.push_back(static_cast<WidgetId>(i));
  }
  std::string out = "{\"widgets\":[";
  for (size_t i = 0; i < dirty.size(); ++i) out += (i ? "," : "") + WidgetJson(dirty[i], all);
  out += "]";
  if (s.view.pointLabelsDirty || all) {
    s.view.pointLabelsDirty = false;
    out += ",\"labels\":[";
    for (size_t i = 0; i < s.view.pointLabels.size(); ++i) {
      const PointLabel& l = s.view.pointLabels[i];
      out += std::string(i ? "," : "") + "{\"x\":" + std::to_string(l.x) + ",\"y\":" + std::to_string(l.y) +
             ",\"text\":" + Json(l.text) + ",\"visible\":" + (l.visible ? "true" : "false") +
             ",\"color\":" + std::to_string(l.fontColor) + "}";
    }
    out += "]";
  }
  const bool repaint = all || s.canvas.version != page->canvasShown;
  page->canvasShown = s.canvas.version;
  out += std::string(",\"canvas\":") + (repaint ? "true" : "false") + "}";
  return out;
}

uintptr_t CanvasPixels() { return reinterpret_cast<uintptr_t>(page->sim.canvas.Data()); }

std::vector<std::string> WidgetNames() {
  std::vector<std::string> names;
  for (int i = 0; i < WidgetCount; ++i) names.emplace_back(Info(static_cast<WidgetId>(i)).name);
  return names;
}
std::string Names() { return Json(WidgetNames()); }

// A console line of the table's as its words.
std::vector<std::string> LineWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The command (its words) of a click on every widget whose click is one.
std::string Clicks() {
  std::string out = "{";
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    const std::string line = ClickLine(id);
    if (line.empty()) continue;
    out += (out.size() > 1 ? "," : "") + Json(std::string(Info(id).name)) + ":" + Json(LineWords(line));
  }
  return out + "}";
}

// The console's keys ("F5", "Alt+Left") and the command (words) of each.
std::string Keys() {
  std::string out = "{";
  for (size_t i = 0; i < kConsoleKeyCount; ++i)
    out += std::string(i ? "," : "") + Json(kConsoleKeys[i].key) + ":" +
           Json(LineWords(ClickLine(kConsoleKeys[i].widget)));
  return out + "}";
}

// The menus as the window has them: each top menu of the widget table with
// its items, an item that is a file command with that command and its file
// (the extensions to pick, or the name to save as); the course's labs.
// Where each jack is on the board picture ([number, x, y]): the page takes a
// touch near one at its centre.
std::string Jacks() {
  std::string out = "[";
  for (int n = 0; n < JackCount; ++n) {
    if (!page->sim.wires.IsJack(n)) continue;
    const Jack& j = page->sim.wires.JackAt(n);
    out += std::string(out.size() > 1 ? "," : "") + "[" + std::to_string(n) + "," + std::to_string(j.X) + "," +
           std::to_string(j.Y) + "]";
  }
  return out + "]";
}

std::string Menus() {
  std::string out = "{\"menus\":[";
  bool firstMenu = true, firstItem = true;
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    if (Info(id).kind != WidgetKind::Menu) continue;
    if (IsTopMenu(id)) {
      out += std::string(firstMenu ? "" : "]},") + "{\"name\":" + Json(Info(id).name) +
             ",\"text\":" + Json(page->sim.view[id].text) + ",\"items\":[";
      firstMenu = false;
      firstItem = true;
      continue;
    }
    out += std::string(firstItem ? "" : ",") + "{\"name\":" + Json(Info(id).name) +
           ",\"text\":" + Json(page->sim.view[id].text);
    firstItem = false;
    for (size_t k = 0; k < kMenuCommandCount; ++k) {
      const MenuCommand& m = kMenuCommands[k];
      if (m.item != id) continue;
      out += ",\"command\":" + Json(std::string(Word(m.command))) + ",\"file\":" + Json(m.file) +
             ",\"examples\":" + Json(m.examples) +
             ",\"save\":" + (Info(m.command).file == FileUse::Save ? "true" : "false");
    }
    out += "}";
  }
  out += "]}],\"labs\":" + Json(std::vector<std::string>(std::begin(kCourseLabs), std::end(kCourseLabs)));
  return out + "}";
}

// Where every widget sits in a language, in its panel's coordinates: the
// layout the window uses, read by the page as well.
std::string Layout(bool english) {
  std::string out = "{";
  bool first = true;
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    if (!layout::TheLayout()[id].placed) continue;
    const layout::Rect r = layout::PlacedRect(id, english);
    out += std::string(first ? "" : ",") + Json(Info(id).name) + ":[" + std::to_string(r.x()) + "," +
           std::to_string(r.y()) + "," + std::to_string(r.width()) + "," + std::to_string(r.height()) + "]";
    first = false;
  }
  return out + "}";
}

// The timing diagram as the window draws it, as SVG: every row, from beat
// `first` at `beatWidth` pixels a beat, `width` x `height` pixels; `first`
// 0 fits the whole history, -1 follows (the newest beat at the right edge).
// JSON: the first beat, the beat width, the picture.
std::string Diagram(double first, double beatWidth, int width, int height) {
  const Simulator& s = page->sim;
  DiagramView v;
  for (size_t i = 0; i < TraceSignals().size(); ++i) v.rows.push_back(i);
  v.width = std::max(200, width);
  v.height = std::max(100, height);
  v.microAddresses = s.console.Microprogram();
  v.microStore = s.machine.Micro.Store.data();
  const BeatRange r = RecordedRange(s.machine.Beat, 0, INT64_MAX);
  const int usable = v.width - DiagramView::kLabelWidth;
  if (first == 0) {
    v.firstBeat = std::max<int64_t>(1, r.first);
    const int64_t beats = std::max<int64_t>(1, r.last - r.first + 1);
    v.beatWidth = std::max(0.001, static_cast<double>(usable) / static_cast<double>(beats));
  } else {
    v.beatWidth = std::clamp(beatWidth, 0.001, 64.0);
    const auto shown = static_cast<int64_t>(usable / v.beatWidth);
    v.firstBeat = first < 0 ? std::max<int64_t>({1, r.first, r.last - shown + 1}) : static_cast<int64_t>(first);
  }
  std::ostringstream o;
  o << "{\"first\":" << v.firstBeat << ",\"beatWidth\":" << v.beatWidth
    << ",\"svg\":" << Json(DiagramSvg(DrawDiagram(s.trace, s.machine.Beat, v))) << "}";
  return o.str();
}

// A console script on the page's board, printing what orrin-run prints
// (its standard output, then its standard error).
std::string Run(const std::string& text) {
  Simulator& s = page->sim;
  std::ostringstream out, err;
  std::istringstream in(text);
  ScriptHost host(out, nullptr);
  s.hostRelay.Divert(host);
  RunScriptOn(s, host, in, out, err);
  s.hostRelay.Restore();
  return out.str() + err.str();
}

// A fresh board, as a new orrin-run starts with.
void Reset() {
  page->sim.Reset();
  page->sim.Startup();
  page->sim.session.Start(true);
  page->lab.reset();
  page->progress.reset();
}

std::string SessionText() { return page->sim.session.Text(); }

// The current step's hint shown; the lab's summary as the window shows it.
void LabHint() {
  if (page->progress) page->progress->UseHint();
}
std::string LabSummary(bool english) {
  if (!page->progress) return "[]";
  return Json(page->progress->Summary(LabElapsed(), english ? &EnglishCatalog() : nullptr));
}

// The memory shown, in mnemonics, and the address PC shows (-1 power off).
std::string Listing() {
  const Simulator& s = page->sim;
  const int pc = s.console.PowerOn ? (s.machine.Pc.Shown.PC & 0xFF) : -1;
  return "{\"pc\":" + std::to_string(pc) + ",\"lines\":" + Json(Disassemble(s.machine.Mem.ShownCells, s.isa)) + "}";
}

// A lab from its text (its set-up files already in the module's file
// system beside `path`): a fresh board, the set-up run, the session begun.
// JSON: errors, or the lab's texts and steps.
std::string OpenLab(const std::string& path, const std::string& text) {
  auto lab = std::make_unique<Lab>();
  std::vector<std::string> errors;
  if (!ReadLab(text, path, *lab, errors)) return "{\"errors\":" + Json(errors) + "}";
  Page& p = *page;
  p.lab.reset();
  p.progress.reset();
  std::string error;
  if (!BeginLab(p.ctx, *lab, error)) return "{\"errors\":" + Json(std::vector<std::string>{error}) + "}";
  std::string steps = "[";
  for (size_t i = 0; i < lab->steps.size(); ++i) {
    const LabStep& s = lab->steps[i];
    std::vector<std::string> zh, en;
    for (const LabText& c : s.choices) {
      zh.push_back(c.zh);
      en.push_back(c.en);
    }
    steps += std::string(i ? "," : "") + "{\"zh\":" + Json(s.instruction.zh) + ",\"en\":" + Json(s.instruction.en) +
             ",\"hintZh\":" + Json(s.hint.zh) + ",\"hintEn\":" + Json(s.hint.en) + ",\"choicesZh\":" + Json(zh) +
             ",\"choicesEn\":" + Json(en) + "}";
  }
  steps += "]";
  const std::string out = "{\"title\":" + Json(lab->title.zh) + ",\"titleEn\":" + Json(lab->title.en) +
                          ",\"goal\":" + Json(lab->goal.zh) + ",\"goalEn\":" + Json(lab->goal.en) +
                          ",\"steps\":" + steps + "}";
  p.lab = std::move(lab);
  p.progress.emplace(*p.lab);
  p.labStarted = emscripten_get_now();
  p.sim.ForgetChoice();
  return out;
}

}  // namespace orrin::web

// The page calls these through the module's ccall (no embind: its code
// generation would need the page to allow eval, which it does not).
namespace {
const char* Kept(std::string text) {
  static std::string kept;
  kept = std::move(text);
  return kept.c_str();
}
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void orrin_start(uintptr_t pixels) { orrin::web::Start(pixels); }
EMSCRIPTEN_KEEPALIVE void orrin_rebase(uintptr_t pixels) { orrin::web::Rebase(pixels); }
EMSCRIPTEN_KEEPALIVE const char* orrin_act(const char* line) { return Kept(orrin::web::Act(line)); }
EMSCRIPTEN_KEEPALIVE const char* orrin_tick(int timer, int n) { return Kept(orrin::web::Tick(timer, n)); }
EMSCRIPTEN_KEEPALIVE const char* orrin_timers() { return Kept(orrin::web::Timers()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_view(int all) { return Kept(orrin::web::View(all != 0)); }
EMSCRIPTEN_KEEPALIVE uintptr_t orrin_canvas_pixels() { return orrin::web::CanvasPixels(); }
EMSCRIPTEN_KEEPALIVE const char* orrin_names() { return Kept(orrin::web::Names()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_clicks() { return Kept(orrin::web::Clicks()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_keys() { return Kept(orrin::web::Keys()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_menus() { return Kept(orrin::web::Menus()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_jacks() { return Kept(orrin::web::Jacks()); }
// A command and up to four arguments; `count` says how many are given.
EMSCRIPTEN_KEEPALIVE const char* orrin_do(const char* word, int count, const char* a, const char* b, const char* c,
                                          const char* d) {
  std::vector<std::string> words{word};
  for (const char* arg : {a, b, c, d})
    if (static_cast<int>(words.size()) <= count) words.emplace_back(arg);
  return Kept(orrin::web::Do(words));
}
EMSCRIPTEN_KEEPALIVE const char* orrin_diagram(double first, double beatWidth, int width, int height) {
  return Kept(orrin::web::Diagram(first, beatWidth, width, height));
}
EMSCRIPTEN_KEEPALIVE const char* orrin_layout(int english) { return Kept(orrin::web::Layout(english != 0)); }
EMSCRIPTEN_KEEPALIVE const char* orrin_run(const char* text) { return Kept(orrin::web::Run(text)); }
EMSCRIPTEN_KEEPALIVE void orrin_reset() { orrin::web::Reset(); }
EMSCRIPTEN_KEEPALIVE void orrin_lab_hint() { orrin::web::LabHint(); }
EMSCRIPTEN_KEEPALIVE const char* orrin_lab_summary(int english) { return Kept(orrin::web::LabSummary(english != 0)); }
EMSCRIPTEN_KEEPALIVE const char* orrin_session_text() { return Kept(orrin::web::SessionText()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_listing() { return Kept(orrin::web::Listing()); }
EMSCRIPTEN_KEEPALIVE const char* orrin_open_lab(const char* path, const char* text) {
  return Kept(orrin::web::OpenLab(path, text));
}
}
