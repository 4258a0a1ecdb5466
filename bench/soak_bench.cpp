// Soak: the live diagnostics poll the simulated car (a 38400 baud line on a pty) for a long
// wall-clock time, through the real port, the link and the answer handling, with the live chart
// fed and a diagnostic log written line by line. Prints the peak resident memory after the first
// minute (the baseline) and at the end, with their ratio, against the memory the live chart's own
// points account for; and the answers handled per second against the wire limit.
//   bench_soak [SECONDS]   (default 600)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "common/number_text.h"
#include "diagnostics/pid_table.h"
#include "form/manual_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "link/link_station.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "simulator/pty_simulator.h"

namespace {

using namespace kelvra;

constexpr int kBaud = 38400;
// The diagnostic rotation covers rows 0 to 13 of the PID table.
constexpr int kRotationRows = 14;

long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0)
      return std::atol(line.c_str() + 6);
  }
  return -1;
}

// Stands for the live diagnostics: the next request of the rotation, and one log line per decoded
// answer, flushed as it is written.
class Rotation : public link::DiagnosticsSink {
 public:
  Rotation(link::LinkStation& station, const std::string& logPath)
      : station_(station), log_(logPath, std::ios::binary) {}
  void DiagnosticStep() override {
    const int row = station_.state.decodedIndex;
    if (row >= 0) {
      ++decoded;
      log_ << diagnostics::PidTable()[static_cast<size_t>(row)].code << ';'
           << FormatGeneral(station_.state.values[static_cast<size_t>(row)]) << "\r\n"
           << std::flush;
    }
    Request();
  }
  void Request() {
    next_ = (next_ + 1) % kRotationRows;
    const std::string code(diagnostics::PidTable()[static_cast<size_t>(next_)].code);
    station_.engine.SendCommand(code + "\r");
    station_.engine.ExpectAnswer();
  }
  long decoded = 0;

 private:
  link::LinkStation& station_;
  std::ofstream log_;
  int next_ = -1;
};

// Stands for the live chart window: it keeps every point, as its series do.
class Chart : public link::LiveChartSink {
 public:
  void AddPoint(float value, int series) override { points.push_back({value, series}); }
  std::vector<std::pair<float, int>> points;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  SetDecimalSeparator(',');
  const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 600;
  const int markSeconds = std::min(60, seconds / 2);

  simulator::PtyOptions options;
  options.latency = std::chrono::milliseconds(0);
  options.baudRate = kBaud;
  simulator::PtySimulator car(options);
  const std::string path = car.Start();
  car.HoldSpeed(3, 50);

  form::SystemClock clock;
  qt::QtTimerService timers;
  form::ScriptedDialogs dialogs;
  qt::QtEventPump pump;
  form::RecordingBeeper beeper;
  form::Services services(clock, timers, dialogs, pump, beeper);
  qt::QtSerialPort component(services);
  link::AlternativePort own(services);
  link::LinkStation station(services, component, own);
  station.engine.SetStartDelayMs(10);
  const std::string logPath = (std::filesystem::temp_directory_path() /
                               ("kelvra-soak-" + std::to_string(::getpid()) + ".log"))
                                  .string();
  Rotation rotation(station, logPath);
  Chart chart;
  station.handler.SetDiagnosticsSink(&rotation);
  station.handler.SetLiveChartSink(&chart);

  QEventLoop loop;
  QElapsedTimer elapsed;
  bool started = false;
  long rssAtMark = -1;
  long answersAtMark = 0;
  size_t pointsAtMark = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started && station.state.online) {
      started = true;
      elapsed.start();
      station.state.diagDisplayOn = true;
      station.state.auxRequest = 2;  // the live chart is fed
      rotation.Request();
      return;
    }
    if (!started)
      return;
    const qint64 ms = elapsed.elapsed();
    if (rssAtMark < 0 && ms >= markSeconds * 1000) {
      rssAtMark = PeakRssKb();
      answersAtMark = rotation.decoded;
      pointsAtMark = chart.points.size();
    }
    if (ms >= seconds * 1000LL)
      loop.quit();
  });
  watch.start(100);
  QTimer::singleShot(0, &loop, [&] {
    services.Dispatch([&] { station.Connect(link::InterfaceKind::Elm327, true, path, false); });
  });
  loop.exec();
  const double wall = elapsed.nsecsElapsed() * 1e-9;
  if (component.IsOpen())
    component.Close();
  const long rssAtEnd = PeakRssKb();
  std::filesystem::remove(logPath);
  if (!started || rssAtMark < 0) {
    std::printf("soak failed: online=%d decoded=%ld\n", started, rotation.decoded);
    return 1;
  }
  // Request "01XX\r" (5 bytes) and answer "41 XX YY[ ZZ]\r\r>" (about 12 bytes) at 10 bits a byte.
  const double wireLimit = kBaud / 10.0 / (5 + 12);
  const double rate = rotation.decoded / wall;
  const double chartKb =
      static_cast<double>(chart.points.size() - pointsAtMark) * sizeof(chart.points[0]) / 1024.0;
  std::printf(
      "soak seconds=%.0f answers=%ld answers_per_s=%.1f wire_limit_per_s=%.1f "
      "fraction_of_wire_limit=%.3f timeouts=%d\n",
      wall, rotation.decoded, rate, wireLimit, rate / wireLimit, station.engine.TimeoutCount());
  std::printf(
      "soak peak_rss_kb_at_%ds=%ld (baseline) peak_rss_kb_at_end=%ld ratio=%.3f "
      "growth_kb=%ld chart_points_since_baseline=%zu (%.0f kB, vector capacity may double it)\n",
      markSeconds, rssAtMark, rssAtEnd, static_cast<double>(rssAtEnd) / rssAtMark,
      rssAtEnd - rssAtMark, chart.points.size() - pointsAtMark, chartKb);
  std::printf("soak answers_after_baseline=%ld errors_shown=%zu\n",
              rotation.decoded - answersAtMark, dialogs.errors.size());
  return 0;
}
