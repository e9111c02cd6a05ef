// What reading the memory and microprogram files costs: each command from
// the menu to the repainted board, on files of the largest size taken.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "simulator/simulator.h"

namespace orrin {
namespace {

class BenchHost : public SilentHost {
 public:
  std::string file;
  std::string OpenFileName() override { return file; }
};

std::string WriteScratch(const char* name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

void BM_ReadMemoryFile(benchmark::State& state) {
  std::string text;
  for (int a = 0; a < 256; ++a) text += Hex2(a * 7).view();
  BenchHost host;
  host.file = WriteScratch("orrin-bench-memory.txt", text);
  Simulator sim(host);
  sim.Startup();
  sim.SpeedButtonPOWERClick();
  for (auto _ : state) sim.N_File2MEMClick();
  if (sim.machine.Mem.Cells[1] != 7) state.SkipWithError("the file was not read");
}
BENCHMARK(BM_ReadMemoryFile);

// "汇编文件->内存" on a source that fills all 256 bytes: 200 commented
// instructions with labels and jumps, then 56 bytes of DB.
void BM_AssembleAndLoad(benchmark::State& state) {
  std::string text;
  const char* const kLines[] = {"ADD R0,R1", "SUB R2,R3", "LD R1,[R0]", "ST [R2],R1", "INC R3", "JZ +2", "JC next"};
  for (int i = 0; i < 200; ++i) {
    if (i % 7 == 0) text.append("L").append(std::to_string(i)).append(":");
    const std::string_view ins = kLines[i % 7];
    text.append("  ");
    if (ins == "JC next")
      text.append("JC L").append(std::to_string(i + 1));
    else
      text.append(ins);
    text.append("   ; instruction ").append(std::to_string(i)).append("\n");
  }
  for (int i = 0; i < 56; ++i) text.append("  DB ").append(std::to_string(i)).append("\n");
  BenchHost host;
  host.file = WriteScratch("orrin-bench-program.asm", text);
  Simulator sim(host);
  sim.Startup();
  sim.SpeedButtonPOWERClick();
  for (auto _ : state) sim.N_Asm2MEMClick();
  if (sim.machine.Mem.Cells[0] != 0x11 || sim.machine.Mem.Cells[255] != 55) state.SkipWithError("not assembled");
}
BENCHMARK(BM_AssembleAndLoad)->Unit(benchmark::kMillisecond);

// export-trace of a full ring: 50 000 small beats, every signal.
void BM_ExportTrace(benchmark::State& state, const char* name) {
  BenchHost host;
  Simulator sim(host);
  sim.Startup();
  sim.RadioButtonMicroProgramClick();
  sim.SpeedButtonPOWERClick();
  {
    const ViewHold hold(sim);
    for (int i = 0; i < 60000; ++i) sim.StepSmallBeat();
  }
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  for (auto _ : state)
    if (sim.ExportTrace(path, 0, 1000000) != Simulator::ExportResult::Written) state.SkipWithError("not written");
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK_CAPTURE(BM_ExportTrace, vcd, "orrin-bench-trace.vcd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportTrace, csv, "orrin-bench-trace.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportTrace, json, "orrin-bench-trace.json")->Unit(benchmark::kMillisecond);

// 64 commented lines, then padding comments up to the 139 264-byte limit.
void BM_ReadMicroFile(benchmark::State& state) {
  std::string text;
  for (int a = 0; a < 64; ++a) text += std::string(Hex2(a).view()) + ":0123456789 ; word " + std::to_string(a) + "\r\n";
  while (text.size() + 40 < 139264) text += "; padding to the size limit ..........\r\n";
  BenchHost host;
  const std::string path = WriteScratch("orrin-bench-micro.txt", text);
  Simulator sim(host);
  sim.Startup();
  for (auto _ : state) sim.LoadMicroFile(path);
  if (FetchMicroword(sim.machine, 5) != "0123456789") state.SkipWithError("the file was not read");
}
BENCHMARK(BM_ReadMicroFile);

// "读微程序源文件…" on the shipped standard source: 64 words by name with
// labels and the instruction lines, assembled, loaded, the table refilled.
void BM_ReadMicroSource(benchmark::State& state) {
  BenchHost host;
  host.file = ORRIN_SOURCE_DIR "/examples/microprogram/standard.mc";
  Simulator sim(host);
  sim.Startup();
  for (auto _ : state) sim.N_ReadMicroSourceClick();
  if (FetchMicroword(sim.machine, 0x16) != "440A7A0017") state.SkipWithError("the source was not read");
}
BENCHMARK(BM_ReadMicroSource)->Unit(benchmark::kMillisecond);

// "读硬连线控制器…" on the shipped standard netlist: the file read, the JSON
// parsed, the gates levelised, the mode offered.
void BM_ReadController(benchmark::State& state) {
  BenchHost host;
  host.file = ORRIN_SOURCE_DIR "/examples/hardwired/standard.json";
  Simulator sim(host);
  sim.Startup();
  for (auto _ : state) sim.N_ReadControllerClick();
  if (!sim.ModeAvailable(ControllerMode::HardWired)) state.SkipWithError("the design was not read");
}
BENCHMARK(BM_ReadController)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orrin

BENCHMARK_MAIN();
