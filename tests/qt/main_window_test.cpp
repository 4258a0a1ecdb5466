#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "app/kelvra_windows.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "form/manual_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "qt/window_view.h"
#include "support/real_ports.h"
#include "support/scenario.h"
#include "support/tapped_port.h"
#include "support/trace_search.h"

using namespace kelvra;

// The real main window, offscreen, with its real ports and the simulated car behind "Simulateur".
struct Program {
  Program() {
    SetProgramFolder(folder.path().toStdString());
    windows.form1.Start({});
    windows.form1.Show();
  }
  ~Program() { SetProgramFolder(""); }

  bool StateHas(std::string_view text) const {
    return testing::TraceHas(windows.form1.acquisition.stateTrace, text);
  }
  template <class W>
  W* Widget(const char* name) {
    return qobject_cast<W*>(view.WidgetFor(name));
  }
  void ChooseElm327() {
    auto* interfaces = Widget<QComboBox>("cbIf");
    interfaces->setCurrentIndex(1);
    emit interfaces->activated(1);  // as the user's choice does
  }

  QTemporaryDir folder;
  testing::RealPorts real;
  form::ScriptedDialogs& dialogs = real.dialogs;
  qt::QtSerialPort& component = real.component;
  link::AlternativePort& own = real.own;
  testing::TappedPort& componentTap = real.componentTap;
  app::KelvraWindows windows{real.services, real.componentTap, real.ownTap};
  qt::WindowView view{windows.form1};
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { SetDecimalSeparator(','); }

  void startsWithTwoTabsAndTheStatusAndPidLabels() {
    Program program;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    QStringList visible;
    for (int i = 0; i < tabs->count(); ++i) {
      if (tabs->isTabVisible(i))
        visible << tabs->tabText(i);
    }
    QCOMPARE(visible, (QStringList{"Accueil", "Configuration voitures"}));
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(program.view.findChild<QLabel*>("StatusBar0")->text(),
             QStringLiteral("Aucun véhicule sélectionné"));
    QCOMPARE(program.view.findChild<QLabel*>("StatusBar1")->text(), QStringLiteral("OBD Offline"));
    auto* pids = program.Widget<QListWidget>("clbPid");
    QCOMPARE(pids->count(), 16);
    QCOMPARE(pids->item(0)->text(), QStringLiteral("Charge calculée (%)"));
    QCOMPARE(pids->item(15)->text(), QStringLiteral("Niveau d'essence (%)"));
    QCOMPARE(program.Widget<QLabel>("lb010C")->text(), QStringLiteral("Régime (tr/mn)"));
    QCOMPARE(program.Widget<QComboBox>("ComComboBox1")->currentText(),
             QStringLiteral("Simulateur"));
    QVERIFY(program.Widget<QWidget>("rb38400")->isHidden());
    QVERIFY(!program.windows.form2.Visible());
  }

  void connectsToTheSimulatedCarAndSendsManualCommands() {
    Program program;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    // As a new user would: select the vehicle in the editor, which shows the acquisition tab.
    QTest::mouseClick(program.Widget<QPushButton>("btVehSelec"), Qt::LeftButton);
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    QVERIFY(tabs->isTabVisible(tabs->indexOf(program.view.WidgetFor("TabSheet3"))));
    tabs->setCurrentWidget(program.view.WidgetFor("TabSheet3"));
    program.ChooseElm327();
    QVERIFY(!program.Widget<QWidget>("rb38400")->isHidden());
    QTest::mouseClick(program.Widget<QPushButton>("Button1"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(program.windows.form1.state.online, 15000);
    QVERIFY(program.StateHas("Connexion OBD établie."));
    QCOMPARE(program.view.findChild<QLabel*>("StatusBar1")->text(), QStringLiteral("OBD Online"));
    QVERIFY(tabs->isTabVisible(tabs->indexOf(program.view.WidgetFor("tsDiag"))));
    QVERIFY(program.Widget<QPushButton>("btCmd")->isEnabled());
    QVERIFY(program.Widget<QPushButton>("btRrpm")->isEnabled());
    QVERIFY(program.windows.form2.captureButton.Enabled());

    program.componentTap.written.clear();
    QTest::keyClicks(program.Widget<QLineEdit>("edManuCmd"), "atz");
    QTest::mouseClick(program.Widget<QPushButton>("btCmd"), Qt::LeftButton);
    QTest::mouseClick(program.Widget<QPushButton>("btCmd"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(program.componentTap.written), QStringLiteral("atz\r\r"));
    // KELVRA_SCREENSHOT=file.png keeps a picture of the window at this point (for the README).
    if (qEnvironmentVariableIsSet("KELVRA_SCREENSHOT")) {
      QTest::qWait(300);
      program.view.grab().save(qEnvironmentVariable("KELVRA_SCREENSHOT"));
    }
    // KELVRA_SCREENSHOT_ENGLISH=prefix keeps the home and diagnostics tabs after the English
    // switch.
    if (qEnvironmentVariableIsSet("KELVRA_SCREENSHOT_ENGLISH")) {
      const QString prefix = qEnvironmentVariable("KELVRA_SCREENSHOT_ENGLISH");
      QTest::mouseClick(program.Widget<QPushButton>("Button20"), Qt::LeftButton);
      for (const char* page : {"TabSheet1", "tsDiag"}) {
        tabs->setCurrentWidget(program.view.WidgetFor(page));
        QTest::qWait(300);
        program.view.grab().save(prefix + "-" + page + ".png");
      }
      QCOMPARE(tabs->tabText(tabs->indexOf(program.view.WidgetFor("tsDiag"))),
               QStringLiteral("Diagnosis"));
    }

    program.windows.form1.acquisition.saveLog.SetChecked(true);
    QVERIFY(program.view.close());
    QVERIFY(!program.component.IsOpen());
    QVERIFY(!program.windows.form1.state.online);
    QVERIFY(QFile::exists(program.folder.filePath("log1.log")));
  }

  // Every editor field on its page with its caption, inside its parent, and the gear dialog
  // behind Button30 writing the main window's speeds.
  void vehicleEditorPagesAndTheGearDialog() {
    Program program;
    app::MainWindow& w = program.windows.form1;
    QStringList pages;
    for (form::TabPage* page : w.vehicleEditor.pages.Pages())
      pages << QString::fromStdString(page->Name() + " " + page->Caption());
    QCOMPARE(pages, (QStringList{"TabSheet5 Transmission/liaison au sol",
                                 "TabSheet6 Aérodynamique/Conditions météo",
                                 "TabSheet7 Paramètres spéciaux", "tsK Verif. Constantes",
                                 "TabSheet4 Param. Calculs RT"}));
    const std::vector<std::string> hidden{"edPerim", "edRpmpmax", "Edit1", "edRTmolD", "edRTmolE"};
    std::vector<std::string> fields{"edCirc", "edF", "edPerim", "edRpmpmax", "Edit1"};
    for (std::size_t field = 0; field < vehicle::kFieldCount; ++field)
      fields.emplace_back(vehicle::FieldName(field));
    for (const std::string& name : fields) {
      form::Control& field = w.Get<form::Edit>(name);
      form::Control& caption = w.Get<form::Label>(app::VehiclePage::CaptionName(name));
      const bool shown = std::find(hidden.begin(), hidden.end(), name) == hidden.end();
      QVERIFY2(field.Visible() == shown, name.c_str());
      QVERIFY2(caption.Visible() == shown, name.c_str());
      QVERIFY2(caption.Parent() == field.Parent(), name.c_str());
      form::Control* page = field.Parent();
      while (page != nullptr && page->Parent() != &w.vehicleEditor.pages)
        page = page->Parent();
      QVERIFY2(page != nullptr, name.c_str());
    }
    QVERIFY(!w.Get<form::Edit>("edPerim").Enabled());
    QCOMPARE(w.Get<form::Edit>("edRTcyl").Parent(), &w.vehicleEditor.consumption);
    QCOMPARE(w.Get<form::Edit>("edCirc").Text(), std::string("1,8144"));
    QCOMPARE(w.vehicleEditor.k2.Caption(), std::string("= 0 W/km.h"));
    QCOMPARE(w.vehicleEditor.influenceReadout.Caption(),
             std::string("Vitesse : 0 km/h ; Puissance/Energie : 0 kW/kJ"));
    // Laid out inside their parents.
    for (const auto& control : w.Controls()) {
      const form::Bounds& b = control->GetBounds();
      const form::Container* parent = control->Parent();
      if (!control->IsVisual() || parent == nullptr || b.width == 0)
        continue;
      const form::Bounds& p = parent->GetBounds();
      if (p.width == 0)
        continue;
      QVERIFY2(
          b.left >= 0 && b.top >= 0 && b.left + b.width <= p.width && b.top + b.height <= p.height,
          control->Name().c_str());
    }

    w.vehicleEditor.gearSpeedDialog.UserClick();
    app::GearSpeedWindow& form2 = program.windows.form2;
    QVERIFY(form2.Visible());
    QVERIFY(!form2.captureButton.Enabled());  // offline
    form2.Get<form::Edit>("edRv1").SetText("50");
    form2.Get<form::Edit>("Edit1").SetText("2500");
    form2.okButton.UserClick();
    QVERIFY(!form2.Visible());
    QCOMPARE(w.Get<form::Edit>("edRv1").Text(), std::string("20"));
  }

  // The power tab's button and "Afficher déja les courbes si disponible" take part in the
  // selection; a field
  // that is not a number stops it before the tabs.
  void selectionAndThePowerTabsControls() {
    Program program;
    app::MainWindow& w = program.windows.form1;
    auto& assign = w.Get<form::Button>("Button21");
    auto& showCurves = w.Get<form::CheckBox>("CheckBox2");
    QCOMPARE(showCurves.Parent(), &w.vehiclePage);
    QVERIFY(showCurves.Checked());
    int asked = 0;
    w.showStoredCurve = [&] { ++asked; };

    w.Get<form::Edit>("edMasse").SetText("lourd");
    w.selectVehicle.UserClick();
    QCOMPARE(program.dialogs.errors,
             (std::vector<std::string>{"'lourd' is not a valid floating point value"}));
    QVERIFY(!w.powerPage.TabVisible());
    QVERIFY(!w.vehicleEditor.constants.TabVisible());
    QCOMPARE(asked, 0);

    w.Get<form::Edit>("edMasse").SetText("1000");
    w.selectVehicle.UserClick();
    QVERIFY(!assign.Enabled());
    QVERIFY(w.powerPage.TabVisible());
    QCOMPARE(asked, 1);
    QCOMPARE(w.vehicleEditor.sae.Caption(), std::string("1,05229592323303"));
    showCurves.SetChecked(false);
    w.selectVehicle.UserClick();
    QCOMPARE(asked, 1);
  }

  void doubleClickOnAStoredVehicleSelectsIt() {
    Program program;
    QFile file(program.folder.filePath("vehicules.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[liste]\r\nClio=Clio\r\n[Clio]\r\nv3e=19\r\njante=15\r\nmasse=1100\r\n");
    file.close();
    program.windows.form1.vehicles.FillList();
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    auto* tabs = program.Widget<QTabWidget>("PageControl1");
    tabs->setCurrentWidget(program.view.WidgetFor("TabSheet2"));
    auto* inner = program.Widget<QTabWidget>("pagectrl");
    QVERIFY(!inner->isTabVisible(inner->indexOf(program.view.WidgetFor("tsK"))));

    auto* list = program.Widget<QListWidget>("lbVeh");
    QCOMPARE(list->count(), 1);
    const QPoint at = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

    QCOMPARE(program.view.findChild<QLabel*>("StatusBar0")->text(),
             QStringLiteral("Véhicule sélectionné : Clio"));
    for (const char* page : {"tsPuissance", "TabSheet3", "TabSheet9"})
      QVERIFY2(tabs->isTabVisible(tabs->indexOf(program.view.WidgetFor(page))), page);
    QVERIFY(inner->isTabVisible(inner->indexOf(program.view.WidgetFor("tsK"))));
    // The stored speed survives the new tyre size; the constants follow the stored mass.
    QCOMPARE(program.Widget<QLineEdit>("edRv3")->text(), QStringLiteral("19"));
    QCOMPARE(program.Widget<QLabel>("lbK3")->text(),
             QString::fromStdString(
                 "= " +
                 FormatGeneral(static_cast<float>(0.2777777777777778 * 0.2777777777777778 * 1100)) +
                 " W/(km²/h^3)"));
    QVERIFY(program.dialogs.errors.empty());
  }

  void closingWhileTheOwnPortReadsEndsItsLoop() {
    Program program;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    program.ChooseElm327();
    program.Widget<QCheckBox>("cbAltCom")->click();
    testing::Scenario scenario;
    scenario.Then(
        "online", [&] { return program.windows.form1.state.online; },
        [&] { program.view.close(); });
    // The click runs the own port's read loop until the window closes it.
    QCOMPARE(QString::fromStdString(scenario.Run([&] {
               QTest::mouseClick(program.Widget<QPushButton>("Button1"), Qt::LeftButton);
             })),
             QString());
    QVERIFY(!program.own.IsOpen());
    QVERIFY(!program.own.Reading());
    QVERIFY(program.StateHas("Connexion OBD établie."));
  }

  void aPortThatCannotOpenLeavesTheWindowUsable() {
    Program program;
    QVERIFY(QTest::qWaitForWindowExposed(&program.view));
    program.windows.form1.acquisition.portList.UserSetText("/dev/kelvra-absent");
    QTest::mouseClick(program.Widget<QPushButton>("Button1"), Qt::LeftButton);
    QCOMPARE(program.dialogs.errors.size(), size_t{1});
    QVERIFY(program.dialogs.errors[0].find("/dev/kelvra-absent") != std::string::npos);
    QVERIFY(program.Widget<QPushButton>("Button1")->isEnabled());
    QCOMPARE(program.view.findChild<QLabel*>("StatusBar1")->text(),
             QStringLiteral("Connexion OBD"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
