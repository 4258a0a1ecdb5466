// Start-up time of the windowed program, from launch to the end of its first paint, against a
// minimal Qt Widgets window started the same way on the same machine in the same run.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "timed_run.h"

namespace {

using kelvra::bench::RunTimed;
using kelvra::bench::TimedRun;

constexpr auto kTimeout = std::chrono::seconds(60);

struct Options {
  int runs = 10;
  std::string app = KELVRA_APP_PATH;
  std::string baseline = MINIMAL_WINDOW_PATH;
};

void PrintUsage() {
  std::fprintf(stderr, "usage: bench_startup [RUNS] [--app PATH] [--baseline PATH]\n");
}

bool ParseOptions(int argc, char* argv[], Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if ((word == "--app" || word == "--baseline") && i + 1 < argc) {
      (word == "--app" ? options.app : options.baseline) = argv[++i];
      continue;
    }
    char* end = nullptr;
    const long runs = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || runs < 1 || runs > 10000)
      return false;
    options.runs = static_cast<int>(runs);
  }
  return true;
}

// Without a display the programs draw off screen; the runtime folder silences a Qt warning.
void PrepareEnvironment() {
  const char* display = std::getenv("DISPLAY");
  if ((display == nullptr || *display == '\0') && std::getenv("QT_QPA_PLATFORM") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string runtime = "/tmp/runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
}

double Measure(const std::string& program, const std::vector<std::string>& arguments) {
  const TimedRun run = RunTimed(program, arguments, kTimeout);
  if (run.timedOut || run.exitCode != 0) {
    throw std::runtime_error(program + (run.timedOut ? " did not finish in time" : " failed") +
                             " (exit status " + std::to_string(run.exitCode) + ")\n" + run.err);
  }
  return run.milliseconds;
}

struct Summary {
  double median, min, max;
};

Summary Summarize(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {median, values.front(), values.back()};
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  if (access(options.app.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "%s is not built; build the kelvra target or pass --app PATH\n",
                 options.app.c_str());
    return 1;
  }
  PrepareEnvironment();

  // One data folder for every run, so that each run after the warm-up is an ordinary start.
  char folderTemplate[] = "/tmp/kelvra-bench-XXXXXX";
  if (mkdtemp(folderTemplate) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string dataDir = folderTemplate;
  const std::vector<std::string> appArguments{"--exit-after-paint", "--data-dir", dataDir};

  std::vector<double> app, baseline;
  try {
    // The warm-up runs fill the page cache and the font cache; they are not counted.
    Measure(options.app, appArguments);
    Measure(options.baseline, {});
    for (int i = 0; i < options.runs; ++i) {
      // Alternating which one goes first keeps a slow spell of the machine from favouring one.
      if (i % 2 == 0)
        app.push_back(Measure(options.app, appArguments));
      baseline.push_back(Measure(options.baseline, {}));
      if (i % 2 == 1)
        app.push_back(Measure(options.app, appArguments));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    std::filesystem::remove_all(dataDir);
    return 1;
  }
  std::filesystem::remove_all(dataDir);

  const Summary a = Summarize(app);
  const Summary b = Summarize(baseline);
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf("# %d runs each after one warm-up, alternating; QT_QPA_PLATFORM=%s\n", options.runs,
              platform != nullptr ? platform : "(default)");
  std::printf("# app: %s\n# baseline: %s\n", options.app.c_str(), options.baseline.c_str());
  std::printf(
      "startup_kelvra_ms median=%.1f min=%.1f max=%.1f baseline_minimal_ms median=%.1f min=%.1f "
      "max=%.1f ratio=%.2f\n",
      a.median, a.min, a.max, b.median, b.min, b.max, a.median / b.median);
  return 0;
}
