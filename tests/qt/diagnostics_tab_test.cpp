#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/kelvra_windows.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "qt/window_view.h"
#include "support/real_ports.h"

using namespace kelvra;

// The real main window, offscreen, on the simulated car behind "Simulateur".
struct DiagProgram {
  DiagProgram() {
    SetProgramFolder(folder.path().toStdString());
    windows.form1.Start({});
    windows.form1.Show();
  }
  ~DiagProgram() { SetProgramFolder(""); }

  template <class W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view.WidgetFor(name));
  }

  QTemporaryDir folder;
  testing::RealPorts real;
  app::KelvraWindows windows{real.services, real.componentTap, real.ownTap};
  qt::WindowView view{windows.form1};
};

class DiagnosticsTabTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetDecimalSeparator(','); }

  void controlsWithTheirCaptionsInsideTheirGroups() {
    DiagProgram program;
    app::MainWindow& w = program.windows.form1;
    QCOMPARE(w.Get<form::Button>("Button15").Caption(), std::string("Activer"));
    QCOMPARE(w.Get<form::Button>("Button18").Caption(), std::string("Démarrer"));
    QCOMPARE(w.Get<form::Label>("lbC100").Caption(), std::string("oo"));
    QCOMPARE(w.Get<form::Edit>("edGPatm").Text(), std::string("1070"));
    QCOMPARE(w.Get<form::Edit>("edSaveLogDiag").Text(), std::string("logdiag1.log"));
    QVERIFY(w.Get<form::RadioButton>("rb0100").Checked());
    QCOMPARE(w.Get<form::Label>("lb012F").Caption(), std::string("Niveau d'essence (%)"));
    for (const auto& control : w.Controls()) {
      const form::Container* parent = control->Parent();
      const form::Control* up = control.get();
      while (up != nullptr && up != &w.diagnostics.page)
        up = up->Parent();
      const form::Bounds& b = control->GetBounds();
      if (up == nullptr || !control->IsVisual() || parent == nullptr || b.width == 0)
        continue;
      const form::Bounds& p = parent->GetBounds();
      if (p.width == 0)
        continue;
      QVERIFY2(
          b.left >= 0 && b.top >= 0 && b.left + b.width <= p.width && b.top + b.height <= p.height,
          control->Name().c_str());
    }
    // TForm3: the two series on their axes, the two hidden buttons.
    app::LiveChartWindow& form3 = program.windows.form3;
    QCOMPARE(form3.Caption(), std::string("Graphe alternatif"));
    QCOMPARE(form3.rpm.Title(), std::string("RPM"));
    QCOMPARE(form3.boost.Axis(), form::AxisSide::Right);
    QVERIFY(!form3.Get<form::Button>("Button1").Visible());
  }

  void pollsTheCarLogsAndFeedsTheLiveChart() {
    DiagProgram program;
    app::MainWindow& w = program.windows.form1;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    auto* interfaces = program.Widget<QComboBox>("cbIf");
    interfaces->setCurrentIndex(1);
    emit interfaces->activated(1);
    QTest::mouseClick(program.Widget<QPushButton>("Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w.state.online, 15000);
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    QVERIFY(tabs->isTabVisible(tabs->indexOf(program.view.WidgetFor("tsDiag"))));
    tabs->setCurrentWidget(program.view.WidgetFor("tsDiag"));

    program.Widget<QCheckBox>("cbLogDiag")->click();
    const QString logPath = program.folder.filePath("logdiag1.log");
    QCOMPARE(QString::fromStdString(w.Get<form::Edit>("edSaveLogDiag").Text()), logPath);
    w.diagnostics.pidList.UserToggleItem(8);
    w.diagnostics.pidList.UserToggleItem(11);
    QTest::mouseClick(program.Widget<QPushButton>("btVisDiag"), Qt::LeftButton);
    QCOMPARE(program.Widget<QPushButton>("btVisDiag")->text(), QStringLiteral("Désactiver"));
    QTRY_COMPARE_WITH_TIMEOUT(program.Widget<QLabel>("lb010F")->text(),
                              QStringLiteral("T° air admis (°C) : 25"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(program.Widget<QLabel>("lb010C")->text(),
                              QStringLiteral("Régime (tr/mn) : 750"), 10000);
    QCOMPARE(program.Widget<QLabel>("lb0104")->text(), QStringLiteral("Charge calculée (%) : N/A"));

    QTest::mouseClick(program.Widget<QPushButton>("Button31"), Qt::LeftButton);
    QVERIFY(program.windows.form3.Visible());
    QTRY_VERIFY_WITH_TIMEOUT(program.windows.form3.boost.Count() >= 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(program.windows.form3.rpm.Count() >= 2, 10000);
    // The car idles at 35 kPa: 350 − 1070 mbar.
    QCOMPARE(program.windows.form3.boost.Points().back().y, -720.0);

    // KELVRA_SCREENSHOT=file.png keeps a picture of the tab at work (for the README).
    if (qEnvironmentVariableIsSet("KELVRA_SCREENSHOT")) {
      QTest::qWait(300);
      program.view.grab().save(qEnvironmentVariable("KELVRA_SCREENSHOT"));
    }
    QTest::mouseClick(program.Widget<QPushButton>("btVisDiag"), Qt::LeftButton);
    program.Widget<QCheckBox>("cbLogDiag")->click();
    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QVERIFY(lines.size() > 4);
    QVERIFY(lines[0].endsWith('\r'));
    QVERIFY(lines[0].contains("<010C>750") || lines[0].contains("<010F>25"));
    QVERIFY(program.real.dialogs.errors.empty());
    QVERIFY(program.view.close());
  }
};

QTEST_MAIN(DiagnosticsTabTest)
#include "diagnostics_tab_test.moc"
