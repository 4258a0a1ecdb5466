// The work of one engine-speed answer during polling (framing at the prompt, classification,
// traces, handling and the next request), against the time that answer takes on the wire.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "common/number_text.h"
#include "support/link_rig.h"

namespace {

constexpr const char* kAnswer = "41 0C 1A F8\r\r>";
// 8 data bits, a start and a stop bit per byte at 38400 baud.
constexpr double kWireSeconds = 14 * 10 / 38400.0;

void EngineSpeedAnswer(benchmark::State& state) {
  kelvra::SetDecimalSeparator(',');
  kelvra::testing::LinkRig rig;
  rig.ConnectElmOnline();
  rig.state.speedViewActive = true;
  for (auto _ : state) {
    rig.Answer(kAnswer);
  }
  benchmark::DoNotOptimize(rig.sinks.engineSpeeds.size());
}
BENCHMARK(EngineSpeedAnswer)->UseRealTime()->Unit(benchmark::kNanosecond);

// Adds the figure that matters: time per answer against the answer's wire time.
class WireTimeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const double seconds = run.GetAdjustedRealTime() * 1e-9;
      std::printf(
          "link_answer_us=%.3f wire_time_us=%.1f percent_of_wire_time=%.4f (target < 0.1)\n",
          seconds * 1e6, kWireSeconds * 1e6, 100.0 * seconds / kWireSeconds);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  WireTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
