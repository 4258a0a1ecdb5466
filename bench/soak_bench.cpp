// Soak: the live diagnostics poll the simulated car (a 38400 baud line on a pty) for a long
// wall-clock time, as the tab "Diagnostique" does with all its rows checked: the real port, the
// link, the answer handling and the live diagnostics (the headless station kelvra-cli poll uses),
// with the diagnostic log on (cbLogDiag, a real file in a temporary folder, flushed line by line)
// and the live chart on ("Afficher": its feed adds points to the chart's two series). Prints the
// peak resident memory after the first minute (the baseline) and at the end, with their ratio,
// against the memory the chart's own points account for; and the answers handled per second
// against the wire limit.
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
#include <iterator>
#include <string>

#include <unistd.h>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "diagnostics/diagnostics_station.h"
#include "form/manual_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "link/link_station.h"
#include "metered_port.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "simulator/pty_simulator.h"

namespace {

using namespace kelvra;
using bench::MeteredPort;

constexpr int kBaud = 38400;
// Rows 0 to 13 of clbPid: every PID the simulated car answers in one rotation.
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

long LineCount(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return static_cast<long>(
      std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

size_t ChartPoints(const diagnostics::DiagnosticsStation& diag) {
  return diag.chart.Series(0).Points().size() + diag.chart.Series(1).Points().size();
}

size_t ChartCapacity(const diagnostics::DiagnosticsStation& diag) {
  return diag.chart.Series(0).Points().capacity() + diag.chart.Series(1).Points().capacity();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  SetDecimalSeparator(',');
  const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 600;
  // The baseline after the first minute, or two thirds into a shorter run.
  const int markSeconds = std::min(60, seconds * 2 / 3);

  simulator::PtyOptions options;
  options.latency = std::chrono::milliseconds(0);
  options.baudRate = kBaud;
  simulator::PtySimulator car(options);
  const std::string path = car.Start();
  car.HoldSpeed(3, 50);

  // The log goes where the program keeps its files: a temporary folder here.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-soak-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());

  form::SystemClock clock;
  qt::QtTimerService timers;
  form::ScriptedDialogs dialogs;
  qt::QtEventPump pump;
  form::RecordingBeeper beeper;
  form::Services services(clock, timers, dialogs, pump, beeper);
  qt::QtSerialPort component(services);
  link::AlternativePort own(services);
  MeteredPort metered(component);
  link::LinkStation station(services, metered, own);
  station.engine.SetStartDelayMs(10);
  diagnostics::DiagnosticsStation diag(station);
  long decoded = 0;
  diag.live.display.onDecoded = [&](int) { ++decoded; };

  QEventLoop loop;
  QElapsedTimer elapsed;
  bool started = false;
  size_t sentAtStart = 0;
  size_t receivedAtStart = 0;
  long rssAtMark = -1;
  long answersAtMark = 0;
  size_t pointsAtMark = 0;
  size_t capacityAtMark = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started && station.state.online) {
      started = true;
      sentAtStart = metered.sent;
      receivedAtStart = metered.received;
      elapsed.start();
      services.Dispatch([&] {
        diagnostics::DisplayControls& d = diag.panel.display;
        d.logBox.UserToggle();  // cbLogDiag: logdiag1.log in the folder
        for (int row = 0; row < kRotationRows; ++row)
          d.pidList.UserToggleItem(row);
        // "Afficher": the chart restarts its time and the visualisation starts.
        diag.panel.modes.showChart.UserClick();
      });
      return;
    }
    if (!started)
      return;
    const qint64 ms = elapsed.elapsed();
    if (rssAtMark < 0 && ms >= markSeconds * 1000) {
      rssAtMark = PeakRssKb();
      answersAtMark = decoded;
      pointsAtMark = ChartPoints(diag);
      capacityAtMark = ChartCapacity(diag);
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
  const size_t answerBytes = metered.received - receivedAtStart;
  const size_t requestBytes = metered.sent - sentAtStart;
  services.Dispatch([&] {
    if (station.state.diagDisplayOn)
      diag.live.display.ToggleVisualisation();
    diag.live.display.CloseDiagLog();
  });
  if (component.IsOpen())
    component.Close();
  const long rssAtEnd = PeakRssKb();
  const std::string logPath = diag.panel.display.logName.Text();
  const long logLines = logPath.empty() ? 0 : LineCount(logPath);
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
  if (!started || rssAtMark < 0) {
    std::printf("soak failed: online=%d decoded=%ld\n", started, decoded);
    return 1;
  }
  // The pseudo-terminal carries the requests at once: the line's limit is the answer bytes of the
  // same exchanges at 10 bits a byte (bytes_per_request gives what a real line would add).
  const double bytesPerAnswer = decoded > 0 ? static_cast<double>(answerBytes) / decoded : 0;
  const double bytesPerRequest = decoded > 0 ? static_cast<double>(requestBytes) / decoded : 0;
  const double wireLimit = bytesPerAnswer > 0 ? kBaud / 10.0 / bytesPerAnswer : 0;
  const double rate = decoded / wall;
  const size_t newPoints = ChartPoints(diag) - pointsAtMark;
  const double pointKb = static_cast<double>(sizeof(form::ChartPoint)) / 1024.0;
  const double chartKb = static_cast<double>(newPoints) * pointKb;
  const double capacityKb = static_cast<double>(ChartCapacity(diag) - capacityAtMark) * pointKb;
  std::printf(
      "soak seconds=%.0f answers=%ld answers_per_s=%.1f wire_limit_per_s=%.1f "
      "fraction_of_wire_limit=%.3f timeouts=%d bytes_per_answer=%.1f bytes_per_request=%.1f\n",
      wall, decoded, rate, wireLimit, wireLimit > 0 ? rate / wireLimit : 0,
      station.engine.TimeoutCount(), bytesPerAnswer, bytesPerRequest);
  std::printf(
      "soak peak_rss_kb_at_%ds=%ld (baseline) peak_rss_kb_at_end=%ld ratio=%.3f "
      "growth_kb=%ld chart_points_since_baseline=%zu (%.0f kB; the series' capacity grew by "
      "%.0f kB)\n",
      markSeconds, rssAtMark, rssAtEnd, static_cast<double>(rssAtEnd) / rssAtMark,
      rssAtEnd - rssAtMark, newPoints, chartKb, capacityKb);
  std::printf("soak answers_after_baseline=%ld log_lines=%ld chart_points=%zu errors_shown=%zu\n",
              decoded - answersAtMark, logLines, ChartPoints(diag), dialogs.errors.size());
  return 0;
}
