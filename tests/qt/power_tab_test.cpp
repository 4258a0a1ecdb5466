#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <variant>

#include "app/kelvra_windows.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "form/chart.h"
#include "power/curve_statistics.h"
#include "qt/window_view.h"
#include "simulator/car_description.h"
#include "support/real_ports.h"
#include "support/simulated_pull.h"

using namespace kelvra;

namespace {

// The real main window, offscreen, with vehicules.ini holding the simulated car as "Citadine".
struct Program {
  Program() {
    SetProgramFolder(folder.path().toStdString());
    std::ofstream(folder.filePath("vehicules.ini").toStdString())
        << testing::MatchingVehicleFile(car, "Citadine");
    windows.form1.Start({});
    windows.form1.Show();
  }
  ~Program() { SetProgramFolder(""); }

  template <class W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view.WidgetFor(name));
  }
  std::string Caption(const char* name) { return windows.form1.Get<form::Label>(name).Caption(); }
  void Select() {
    app::MainWindow& w = windows.form1;
    w.vehicles.vehicleList.SetItemIndex(0);
    w.vehicles.lbVehClick(w.vehicles.vehicleList);
    w.selectVehicle.UserClick();
  }
  std::string WriteRun(const std::string& name) {
    const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : testing::SimulatedPullLines(car, 3, 1500, 20, 0, 1))
      out << line << "\r\n";
    return path;
  }
  // The share of the widget's pixels that are not white.
  double Inked(const char* name) {
    const QImage picture = view.WidgetFor(name)->grab().toImage();
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        inked += (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return static_cast<double>(inked) / (picture.width() * picture.height());
  }

  simulator::CarDescription car = testing::KelvraComparableCar(simulator::DefaultCar());
  QTemporaryDir folder;
  testing::RealPorts real;
  form::ScriptedDialogs& dialogs = real.dialogs;
  app::KelvraWindows windows{real.services, real.componentTap, real.ownTap};
  qt::WindowView view{windows.form1};
};

}  // namespace

class PowerTabTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetDecimalSeparator(','); }

  // A pull of the simulated car in third, computed from its run file with the vehicle's data:
  // the statistics tell its true peak power, the chart is painted, the curve goes to the vehicle
  // and comes back at the next selection.
  void computesARunFileAndKeepsTheCurveWithTheVehicle() {
    Program program;
    app::MainWindow& w = program.windows.form1;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    program.Select();
    QCOMPARE(w.status.PanelText(0), std::string("Véhicule sélectionné : Citadine"));
    QVERIFY(!w.powerTab->assign.Enabled());
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    tabs->setCurrentWidget(program.view.WidgetFor("tsPuissance"));
    // The raw points go to the first two series of the acceleration diagram's chart.
    auto* diagram = &w.Get<form::Chart>("Chart1");
    QCOMPARE(diagram->Series(0).Title(), std::string("1ère"));
    QCOMPARE(diagram->Series(1).Title(), std::string("2nde"));
    w.powerTab->rawData.SetChecked(true);

    w.Get<form::Edit>("Edit28").SetText(program.WriteRun("pull.txt"));
    QTest::mouseClick(program.Widget<QPushButton>("btGraphC"), Qt::LeftButton);
    QCOMPARE(program.dialogs.errors, std::vector<std::string>{});
    QCOMPARE(program.dialogs.messages, std::vector<std::string>{});
    const power::CurveSet& set = w.power.curves;
    QCOMPARE(set.curveCount, 1);
    QVERIFY(w.powerTab->assign.Enabled());

    const testing::TruePeak truth = testing::TruePeakPower(program.car, set.r0, set.rfin);
    const double peak = set.peaks.power10 * 0.1;
    qInfo("peak %.2f cv at %d tr/mn, truth %.2f cv at %.0f", peak, set.peaks.rpmAtMaxPower,
          truth.cv, truth.rpm);
    QVERIFY2(std::abs(peak / truth.cv - 1) < 0.01,
             (std::to_string(peak) + " cv against " + std::to_string(truth.cv)).c_str());
    QCOMPARE(program.Caption("lbPmax"),
             power::MaxPowerText(set.peaks.power10, set.peaks.rpmAtMaxPower));
    QVERIFY(program.Caption("lbCmax").find("Nm - ") != std::string::npos);
    QVERIFY(program.Caption("lbPowEff").ends_with("cv"));
    QCOMPARE(diagram->Series(0).Count(), static_cast<int>(w.power.samples.size()) - 2);

    // Painted: the curves beneath the transparent axes, the legend with the vehicle's name.
    QTest::qWait(50);
    QVERIFY(program.Inked("Image1") > 0.005);
    QVERIFY(program.Inked("img2") > 0.005);
    QVERIFY(program.Inked("imLeg") > 0.01);
    // The first curve's blue shows on the tab through the axes' white.
    const QImage page = program.view.WidgetFor("tsPuissance")->grab().toImage();
    int blue = 0;
    for (int y = 25; y < 265; ++y)
      for (int x = 32; x < 570; ++x)
        blue += (page.pixel(x, y) & 0xFFFFFF) == 0x2828FF;
    QVERIFY(blue > 100);
    if (qEnvironmentVariableIsSet("KELVRA_SCREENSHOT"))
      program.view.grab().save(qEnvironmentVariable("KELVRA_SCREENSHOT"));

    // The same run again raises no maximum: its curves go over the picture, the axes and the first
    // legend text stay.
    const std::size_t axesOps = w.powerTab->axes.GetCanvas().Operations().size();
    const std::size_t legendOps = w.powerTab->legend.GetCanvas().Operations().size();
    w.powerTab->addCurve.UserClick();
    QCOMPARE(set.curveCount, 2);
    QCOMPARE(w.powerTab->axes.GetCanvas().Operations().size(), axesOps);
    QVERIFY(w.powerTab->legend.GetCanvas().Operations().size() > legendOps);
    int legendTexts = 0;
    for (const form::DrawOp& op : w.powerTab->legend.GetCanvas().Operations())
      legendTexts += std::holds_alternative<form::draw::TextOut>(op);
    QCOMPARE(legendTexts, 4);  // rows 0 and 1, for power and for torque

    // The readout under the pointer, the legend row chosen by a click.
    QTest::mouseMove(program.view.WidgetFor("img2"), QPoint(300, 100));
    QTRY_VERIFY(program.Caption("lbStats").find("tr/mn - ") != std::string::npos);

    // "Non": the coefficients in Memo4; "Oui": the curve kept with the vehicle.
    QTest::mouseClick(program.Widget<QPushButton>("Button21"), Qt::LeftButton);
    QVERIFY(w.powerTab->torqueList.Visible());
    QCOMPARE(w.powerTab->torqueList.Lines().front(), std::string("Double-cliquer pour masquer"));
    QCOMPARE(w.powerTab->torqueList.LineCount(), 13);
    QVERIFY(!w.store.ReadStoredCurve("Citadine"));
    program.dialogs.confirmAnswers.push_back(true);
    QTest::mouseClick(program.Widget<QPushButton>("Button21"), Qt::LeftButton);
    QCOMPARE(program.dialogs.confirms.back(),
             std::string("Attention: Lier la courbe au véhicule ?"));
    const auto stored = w.store.ReadStoredCurve("Citadine");
    QVERIFY(stored);
    QCOMPARE(stored->coefficients, set.columns[0]);

    // "Exporter données" under the legend's name.
    const std::string exported = program.folder.filePath("export.csv").toStdString();
    program.dialogs.saveAnswers.push_back(exported);
    QTest::mouseClick(program.Widget<QPushButton>("Button4"), Qt::LeftButton);
    QCOMPARE(program.dialogs.fileRequests.back().fileName, std::string(" Citadine.csv"));
    std::ifstream rows(exported);
    std::string first;
    std::getline(rows, first);
    QCOMPARE(first.substr(0, 5), std::string("1500;"));

    // "Effacer", then the selection shows the stored curve at once.
    QTest::mouseClick(program.Widget<QPushButton>("Button11"), Qt::LeftButton);
    QCOMPARE(set.curveCount, 0);
    program.Select();
    QCOMPARE(set.curveCount, 1);
    QCOMPARE(set.columns[0], stored->coefficients);
    QCOMPARE(program.Caption("lbPmax"),
             power::MaxPowerText(set.peaks.power10, set.peaks.rpmAtMaxPower));
    QVERIFY(program.dialogs.errors.empty());
  }

  void aMissingRunFileIsRefused() {
    Program program;
    app::MainWindow& w = program.windows.form1;
    program.Select();
    w.Get<form::Edit>("Edit28").SetText(program.folder.filePath("absent.txt").toStdString());
    w.powerTab->addCurve.UserClick();
    QCOMPARE(program.dialogs.messages, (std::vector<std::string>{"Fichier invalide"}));
    QCOMPARE(w.power.curves.curveCount, 0);
    QVERIFY(program.Caption("lbPmax").empty());
  }
};

QTEST_MAIN(PowerTabTest)
#include "power_tab_test.moc"
