// What orrin-grade's class report costs to write: the page of 1 000
// submissions of a five-step lab, every session with its steps' times.
#include <benchmark/benchmark.h>

#include "app/grade.h"

namespace orrin {
namespace {

void BM_HtmlReport(benchmark::State& state) {
  std::vector<ExpectLine> steps;
  for (int n = 1; n <= 5; ++n)
    steps.push_back(
        {n, "step " + std::to_string(n) + ": 把数据开关拨成 35，走一个机器周期", "step " + std::to_string(n) + ": "});
  std::vector<GradeResult> results(1000);
  for (size_t i = 0; i < results.size(); ++i) {
    GradeResult& r = results[i];
    r.submission = "class/student" + std::to_string(i);
    r.passed = static_cast<int64_t>(i % 6);
    r.failed = 5 - r.passed;
    r.status = r.failed == 0 ? "passed" : "failed";
    if (r.failed > 0) r.message = "step " + std::to_string(r.passed + 1) + " not done: R1 expected 4A, got 00";
    r.seconds = 0.01 * static_cast<double>(i % 97);
    for (int64_t s = 0; s < 5; ++s) {
      r.stepDoneMs.push_back(s < r.passed ? (s + 1) * 7000 + static_cast<int64_t>(i * 13 % 5000) : -1);
      r.hintsUsed.push_back((i + static_cast<size_t>(s)) % 7 == 0);
    }
    r.wrongAnswers.assign(5, static_cast<int64_t>(i % 3 == 0));
    Score(r, steps);
  }
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string page = HtmlReport(results, steps, {"/tmp/report.html", "/tmp/lab.lab", true, false});
    bytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HtmlReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orrin

BENCHMARK_MAIN();
