// The diagnostic rotation over a pseudo-terminal against the simulated car: four PIDs requested
// one after the other, one request per answer, as the tab "Diagnostique" does. Two figures, each
// against a baseline measured in the same run:
//  - the car answering at once, its bytes paced like a 38400 baud line: the wire limit is the
//    answer bytes of the same exchanges at 10 bits a byte (the pseudo-terminal carries the
//    requests at once, so only the answers take wire time here; the request bytes are printed
//    too, for the limit of a real line that carries both);
//  - the car waiting 30 ms before each answer: the limit adds that latency to each exchange.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/number_text.h"
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

void Measure(int latencyMs, int answers) {
  simulator::PtyOptions options;
  options.latency = std::chrono::milliseconds(latencyMs);
  options.baudRate = kBaud;
  simulator::PtySimulator car(options);
  const std::string path = car.Start();

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
  int decoded = 0;
  diag.live.display.onDecoded = [&](int) { ++decoded; };

  QEventLoop loop;
  QElapsedTimer elapsed;
  size_t sentAtStart = 0;
  size_t receivedAtStart = 0;
  int decodedAtStart = 0;
  qint64 nanoseconds = 0;
  bool started = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started && station.state.online) {
      started = true;
      sentAtStart = metered.sent;
      receivedAtStart = metered.received;
      decodedAtStart = decoded;
      elapsed.start();
      // Engine speed, vehicle speed, intake air, air flow: one and two data bytes.
      services.Dispatch([&] {
        for (int row : {8, 9, 11, 12})
          diag.panel.display.pidList.SetChecked(row, true);
        diag.live.display.ToggleVisualisation();
      });
    } else if (started && decoded - decodedAtStart >= answers) {
      nanoseconds = elapsed.nsecsElapsed();
      watch.stop();
      loop.quit();
    }
  });
  watch.start(0);
  QTimer::singleShot(120000, &loop, [&] { loop.quit(); });
  QTimer::singleShot(0, &loop, [&] {
    services.Dispatch([&] { station.Connect(link::InterfaceKind::Elm327, true, path, false); });
  });
  loop.exec();
  if (component.IsOpen())
    component.Close();
  const int count = decoded - decodedAtStart;
  if (nanoseconds == 0 || count <= 0) {
    std::printf("rotation_latency_%dms failed: %d answers\n", latencyMs, count);
    return;
  }
  const double answerBytes = static_cast<double>(metered.received - receivedAtStart) / count;
  const double requestBytes = static_cast<double>(metered.sent - sentAtStart) / count;
  const double seconds = nanoseconds * 1e-9;
  const double rate = count / seconds;
  const double limit = 1.0 / (answerBytes * 10.0 / kBaud + latencyMs * 0.001);
  std::printf(
      "rotation_latency_%dms answers=%d answers_per_s=%.1f limit_per_s=%.1f "
      "fraction_of_limit=%.3f%s bytes_per_answer=%.1f bytes_per_request=%.1f\n",
      latencyMs, count, rate, limit, rate / limit, latencyMs == 0 ? " (target >= 0.9)" : "",
      answerBytes, requestBytes);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  kelvra::SetDecimalSeparator(',');
  const int answers = argc > 1 ? std::max(20, std::atoi(argv[1])) : 400;
  Measure(0, answers);
  Measure(30, std::max(20, answers / 4));
  return 0;
}
