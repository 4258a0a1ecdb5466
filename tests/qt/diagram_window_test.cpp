#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/kelvra_windows.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "qt/window_view.h"
#include "support/real_ports.h"
#include "vehicle/vehicle_keys.h"

using namespace kelvra;

// The real main window and race window, offscreen, on the real clock and Qt timers.
struct DiagramProgram {
  DiagramProgram() {
    SetProgramFolder(folder.path().toStdString());
    windows.form1.Start({});
    windows.form1.Show();
    const char* speeds[] = {"8", "14", "20", "26", "32", "0"};
    for (std::size_t g = 0; g < 6; ++g)
      windows.form1.vehicles.Field(vehicle::kFirstSpeedField + g).SetText(speeds[g]);
    tab.engineSpeeds.SetLines({"1000", "2000", "3000", "4000", "5000", "6000"});
    tab.engineValues.SetLines({"30", "45", "60", "75", "85", "80"});
  }
  ~DiagramProgram() { SetProgramFolder(""); }

  template <class W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view.WidgetFor(name));
  }
  void Click(qt::WindowView& in, const char* name) {
    QTest::mouseClick(qobject_cast<QPushButton*>(in.WidgetFor(name)), Qt::LeftButton);
  }

  QTemporaryDir folder;
  testing::RealPorts real;
  app::KelvraWindows windows{real.services, real.componentTap, real.ownTap};
  app::DiagramTab& tab = windows.form1.diagram;
  qt::WindowView view{windows.form1};
  qt::WindowView raceView{windows.form4};
};

class DiagramWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetDecimalSeparator(','); }

  void chartShowsTheGearsWithTheirColoursAndStyles() {
    DiagramProgram program;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    QTest::mouseClick(program.Widget<QPushButton>("btVehSelec"), Qt::LeftButton);
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    QVERIFY(tabs->isTabVisible(tabs->indexOf(program.view.WidgetFor("TabSheet9"))));
    tabs->setCurrentWidget(program.view.WidgetFor("TabSheet9"));
    program.Click(program.view, "Button28");
    auto* view = program.Widget<QChartView>("Chart1");
    QVERIFY(view != nullptr);
    // Rebuilt once the event loop runs: six gears, Opti and Max; the memorised envelope is not
    // drawn.
    QTRY_VERIFY(view->chart()->series().size() == 8 &&
                qobject_cast<QLineSeries*>(view->chart()->series().at(0))->count() > 0);
    auto* first = qobject_cast<QLineSeries*>(view->chart()->series().at(0));
    QCOMPARE(first->name(), QStringLiteral("1ère"));
    QCOMPARE(first->pen().color(), QColor(255, 0, 0));
    QCOMPARE(first->pen().width(), 2);
    QVERIFY(first->count() > 0);
    auto* second = qobject_cast<QLineSeries*>(view->chart()->series().at(1));
    QCOMPARE(second->pen().color(), QColor(255, 128, 128));
    auto* opti = qobject_cast<QLineSeries*>(view->chart()->series().at(6));
    QCOMPARE(opti->name(), QStringLiteral("Opti"));
    QCOMPARE(opti->pen().style(), Qt::DashDotDotLine);
    QCOMPARE(program.tab.shiftResults.LineCount(), 5);
    // KELVRA_SCREENSHOT=file.png keeps a picture of the tab.
    if (qEnvironmentVariableIsSet("KELVRA_SCREENSHOT")) {
      QTest::qWait(300);
      program.view.grab().save(qEnvironmentVariable("KELVRA_SCREENSHOT"));
    }
  }

  void raceRunsOneStepPerTenMillisecondsAndTheWindowAnswers() {
    DiagramProgram program;
    program.tab.maxEnvelope.SetChecked(true);
    program.Click(program.view, "Button28");
    program.Click(program.view, "Button37");
    QVERIFY(QTest::qWaitForWindowExposed(&program.raceView));
    const app::DragRaceWindow& race = program.windows.form4;
    QElapsedTimer clock;
    clock.start();
    program.Click(program.raceView, "Button1");
    QVERIFY(race.Racing());
    QTest::qWait(400);
    const double wall = clock.elapsed() / 1000.0;
    const double simulated = race.Race().SimTime();
    // Paced by the wall clock: never ahead of it, and not far behind.
    QVERIFY2(simulated <= wall + 0.011, qPrintable(QString::number(simulated)));
    QVERIFY2(simulated >= 0.2, qPrintable(QString::number(simulated)));
    if (qEnvironmentVariableIsSet("KELVRA_RACE_SCREENSHOT"))
      program.raceView.grab().save(qEnvironmentVariable("KELVRA_RACE_SCREENSHOT"));
    program.Click(program.raceView, "Button2");
    QTRY_VERIFY(!race.Racing());
    const float stopped = race.Race().SimTime();
    QTest::qWait(100);
    QCOMPARE(race.Race().SimTime(), stopped);
    QVERIFY(race.car1.GetBounds().left >= 16);
  }
};

QTEST_MAIN(DiagramWindowTest)
#include "diagram_window_test.moc"
