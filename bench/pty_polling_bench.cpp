// Engine-speed polling over a pseudo-terminal against the simulated car, which answers at once but
// paces its bytes like a 38400 baud line. The baseline is the wire limit of the same exchange: the
// request and answer bytes at 10 bits a byte. Prints one line per port.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/number_text.h"
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

class Counter : public link::EngineSpeedSink {
 public:
  void OnEngineSpeed(int) override { ++count; }
  int count = 0;
};

void Measure(bool alternative, int answers) {
  simulator::PtyOptions options;
  options.latency = std::chrono::milliseconds(0);
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
  MeteredPort meteredComponent(component);
  MeteredPort meteredOwn(own);
  link::LinkStation station(services, meteredComponent, meteredOwn);
  station.engine.SetStartDelayMs(10);
  Counter counter;
  station.handler.SetEngineSpeedSink(&counter);
  MeteredPort& metered = alternative ? meteredOwn : meteredComponent;

  QEventLoop loop;
  QElapsedTimer elapsed;
  size_t sentAtStart = 0;
  size_t receivedAtStart = 0;
  qint64 nanoseconds = 0;
  bool started = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started && station.state.online) {
      started = true;
      sentAtStart = metered.sent;
      receivedAtStart = metered.received;
      elapsed.start();
      station.state.speedViewActive = true;
      station.engine.SendCommand("010c\r");
      station.engine.ExpectAnswer();
    } else if (started && counter.count >= answers) {
      nanoseconds = elapsed.nsecsElapsed();
      watch.stop();
      if (own.IsOpen())
        own.Close();
      loop.quit();
    }
  });
  watch.start(0);
  QTimer::singleShot(60000, &loop, [&] { loop.quit(); });
  QTimer::singleShot(0, &loop, [&] {
    services.Dispatch(
        [&] { station.Connect(link::InterfaceKind::Elm327, true, path, alternative); });
  });
  loop.exec();
  if (component.IsOpen())
    component.Close();
  if (nanoseconds == 0) {
    std::printf("pty_polling_%s failed: %d answers\n", alternative ? "own_port" : "component",
                counter.count);
    return;
  }
  const double bytes =
      static_cast<double>((metered.sent - sentAtStart) + (metered.received - receivedAtStart));
  const double seconds = nanoseconds * 1e-9;
  const double rate = counter.count / seconds;
  const double wireLimit = counter.count / (bytes * 10.0 / kBaud);
  std::printf(
      "pty_polling_%s answers=%d round_trips_per_s=%.1f wire_limit_per_s=%.1f "
      "fraction_of_wire_limit=%.3f (target >= 0.9)\n",
      alternative ? "own_port" : "component", counter.count, rate, wireLimit, rate / wireLimit);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  kelvra::SetDecimalSeparator(',');
  const int answers = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
  Measure(false, answers);
  Measure(true, answers);
  return 0;
}
