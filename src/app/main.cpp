#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include "app/app_options.h"
#include "app/kelvra_windows.h"
#include "common/program_folder.h"
#include "common/version.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "qt/window_view.h"

namespace {

// Quits the program right after the first paint of the watched window.
class FirstPaintExit : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(kelvra::kProgramName);
  QApplication::setApplicationDisplayName(kelvra::kProgramName);
  QApplication::setApplicationVersion(kelvra::kVersion);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(8);
  QApplication::setFont(font);

  std::vector<std::string> args;
  for (const QString& arg : QApplication::arguments().mid(1))
    args.push_back(arg.toStdString());
  kelvra::app::AppOptions options;
  try {
    options = kelvra::app::ParseAppOptions(args);
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "%s\n%s", error.what(), kelvra::app::AppUsage());
    return 2;
  }
  if (options.help) {
    std::fputs(kelvra::app::AppUsage(), stdout);
    return 0;
  }
  if (options.dataDir)
    kelvra::SetProgramFolder(*options.dataDir);

  kelvra::form::SystemClock clock;
  kelvra::qt::QtTimerService timers;
  kelvra::qt::QtDialogs dialogs(QString::fromUtf8(kelvra::kProgramName));
  kelvra::qt::QtEventPump pump;
  kelvra::qt::QtBeeper beeper;
  kelvra::form::Services services(clock, timers, dialogs, pump, beeper);

  try {
    kelvra::qt::QtSerialPort componentPort(services);
    kelvra::link::AlternativePort alternativePort(services);
    kelvra::app::KelvraWindows windows(services, componentPort, alternativePort);
    kelvra::qt::WindowView view(windows.form1);
    kelvra::qt::WindowView form2(windows.form2);
    kelvra::qt::WindowView form3(windows.form3);
    kelvra::qt::WindowView form4(windows.form4);
    dialogs.SetParent(&view);
    services.Dispatch([&] { windows.form1.Start(kelvra::qt::ListSerialPorts()); });
    if (options.debug)
      windows.form1.ShowDebugControls();
    FirstPaintExit exitAfterPaint;
    if (options.exitAfterPaint)
      view.installEventFilter(&exitAfterPaint);
    // Closing the main window ends the program, even with a secondary window still shown.
    QApplication::setQuitOnLastWindowClosed(false);
    windows.form1.onClose = [](kelvra::form::Window&) { QCoreApplication::quit(); };
    windows.form1.Show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    // An error that reaches the entry is shown like any other, then the program ends.
    dialogs.SetParent(nullptr);
    dialogs.ShowError(error.what());
    return 1;
  }
}
