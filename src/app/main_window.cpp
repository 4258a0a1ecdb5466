#include "app/main_window.h"

#include "app/language_switch.h"
#include "common/program_folder.h"
#include "form/page_controls.h"

namespace kelvra::app {

namespace {

constexpr int kStatusHeight = 19;
constexpr int kStripHeight = 78;

template <class T, class... Args>
T& Hidden(form::Window& window, const char* name, form::Container* parent, Args&&... args) {
  T& control = window.Add<T>(name, parent, std::forward<Args>(args)...);
  control.SetVisible(false);
  return control;
}

// The recorder's controls: its group on the acquisition tab, the gear on the power tab, the speeds
// per 1000 tr/mn of the vehicle editor.
acquisition::RecorderControls RecorderControlsOf(MainWindow& w) {
  static_assert(vehicle::kTextKeys[7].field == "edRv1");
  std::array<form::Edit*, 6> gearSpeeds{};
  for (std::size_t i = 0; i < gearSpeeds.size(); ++i)
    gearSpeeds[i] = &w.vehicles.Field(7 + i);
  form::ComboBox& gear = acquisition::AddGearChoice(w, &w.powerPage);
  gear.SetBounds(370, 12, 50, 22);
  w.Add<form::Label>("Label45", &w.powerPage, "Rapport engagé :").SetBounds(310, 16, 0, 0);
  acquisition::RecorderPanel& panel = w.acquisition.recorder;
  return {w.acquisition.viewRpm,
          w.acquisition.acquire,
          panel.stop,
          panel.startRpm,
          panel.stopRpm,
          panel.gauge,
          panel.gaugeTop,
          panel.rpmText,
          panel.plot,
          panel.livePlot,
          w.clockResync,
          gear,
          gearSpeeds,
          panel.selectionFrame,
          panel.selectionText,
          panel.exportButton,
          panel.showCurves,
          panel.saveDialog};
}

// The speeds per 1000 tr/mn the diagram reads: edRv1 .. edRv6 of the vehicle editor.
std::array<form::Edit*, acceleration::kGears> DiagramGearSpeeds(vehicle::VehicleTab& vehicles) {
  std::array<form::Edit*, acceleration::kGears> speeds{};
  for (std::size_t g = 0; g < speeds.size(); ++g)
    speeds[g] = &vehicles.Field(vehicle::kFirstSpeedField + g);
  return speeds;
}

}  // namespace

MainWindow::MainWindow(form::Services& services, link::SerialPort& componentPort,
                       link::SerialPort& alternativePort)
    : form::Window(services, "Form1", kCaption, kWidth, kHeight),
      pages(Add<form::PageControl>("PageControl1")),
      status(Add<form::StatusBar>("StatusBar")),
      home(*this, pages),
      vehiclePage(Add<form::TabPage>("TabSheet2", &pages, "Configuration voitures")),
      acquisition(*this, pages),
      powerPage(Add<form::TabPage>("tsPuissance", &pages, "Détermination puissance")),
      smoothing(Add<form::TrackBar>("tbLisse", &powerPage, 0, 10, 10)),
      diagnostics(*this, pages),
      settings(*this, pages),
      diagramPage(Add<form::TabPage>("TabSheet9", &pages, "Diagramme d'acceleration")),
      conversionStrip(Add<form::Panel>("GroupBox10", nullptr, "Outils de conversion :", true)),
      converter(*this, conversionStrip),
      selectVehicle(Add<form::Button>("btVehSelec", &vehiclePage, "(Re)Charger un Véhicule")),
      debugAuto(
          Hidden<form::CheckBox>(*this, "CheckBox1", &conversionStrip, "debug : selection auto")),
      onlineToggle(
          Hidden<form::Button>(*this, "Button10", &conversionStrip, "2 debug : obdonline")),
      dryStart(Hidden<form::Button>(*this, "Button13", &conversionStrip, "1 start")),
      simulatedRun(
          Hidden<form::Button>(*this, "Button14", &conversionStrip, "sequence acquisition auto")),
      debugText(Hidden<form::Edit>(*this, "edDebugSend", &conversionStrip, "410C1000")),
      sendToBuffer(
          Hidden<form::Button>(*this, "btDebugSend", &conversionStrip, "3 debug:send2tampon")),
      debugMemo(Hidden<form::CheckBox>(*this, "cbdebugm", &conversionStrip, "debug memo")),
      clockResync(Hidden<form::CheckBox>(*this, "cbRH", &conversionStrip, "test horloge resyncro")),
      answerTimeout(Add<form::Timer>("toTimer")),
      resetDelay(Add<form::Timer>("tReset")),
      firstRequestDelay(Add<form::Timer>("tInitrpm")),
      simulationTimer(Add<form::Timer>("Timer1", nullptr, 25)),
      accelerationTimer(Add<form::Timer>("accTimer", nullptr, 1000)),
      log(acquisition.stateTrace, acquisition.dataTrace, services.clock),
      engine(state, log,
             link::LinkControls{status,
                                acquisition.portList,
                                acquisition.alternativePort,
                                debugAuto,
                                acquisition.resetButton,
                                diagnostics.page,
                                answerTimeout,
                                resetDelay,
                                firstRequestDelay,
                                {&acquisition.viewRpm, &acquisition.acquire, &diagnostics.visualise,
                                 &acquisition.sendManual, &acquisition.goToDiag}},
             services, componentPort, alternativePort),
      answers(state, engine,
              link::AnswerControls{acquisition.forceConnection, acquisition.useSpeed,
                                   acquisition.shiftAlert, acquisition.shiftRpm,
                                   diagnostics.atmosphericPressure},
              services.beeper),
      connection(engine,
                 link::ConnectionControls{acquisition.portList, acquisition.interfaceList,
                                          acquisition.rateLabel, acquisition.rate9600,
                                          acquisition.rate38400, acquisition.alternativePort,
                                          acquisition.connectButton, acquisition.disconnectButton,
                                          acquisition.resetButton, acquisition.manualCommand,
                                          acquisition.sendManual, dryStart, onlineToggle,
                                          sendToBuffer, debugText, simulatedRun, simulationTimer},
                 componentPort, alternativePort),
      vehicleEditor(*this, vehiclePage),
      store([this](std::string_view line) { log.State(line); }),
      vehicles(*this, store,
               vehicle::VehicleTab::Placement{
                   &vehiclePage,
                   [this](std::string_view name) { return vehicleEditor.ParentOf(name); }}),
      recorder(engine, RecorderControlsOf(*this), services.clock),
      selection(recorder.Buffer(), recorder.Controls(), log),
      runFileChooser(Add<form::Button>("Button9", &powerPage, "Parcourir"),
                     Add<form::Edit>("Edit28", &powerPage), vehicles.openDialog),
      diagram(*this, diagramPage,
              {power, DiagramGearSpeeds(vehicles),
               [this] { return vehicleEditor.Editor().Constants(); }, vehicles.openDialog}),
      liveDiagnostics(engine, answers, diagnostics.panel.display, diagnostics.panel.modes,
                      diagnostics.panel.performance, VehicleRtControlsOf(*this), accelerationTimer,
                      services) {
  const int pagesHeight = kHeight - kStatusHeight - kStripHeight;
  pages.SetBounds(0, 0, kWidth, pagesHeight);
  status.SetBounds(0, kHeight - kStatusHeight, kWidth, kStatusHeight);
  status.AddPanel("Aucun véhicule sélectionné", 500);
  status.AddPanel("OBD Offline", 50);
  conversionStrip.SetBounds(2, pagesHeight, kWidth - 4, kStripHeight - 2);

  // The vehicle list, its buttons and the editor's pages.
  vehicleEditor.Attach(vehicles);

  Add<form::Label>("Label61", &powerPage, "Lissage :").SetBounds(10, 12, 0, 0);
  smoothing.SetBounds(80, 8, 200, 30);

  // The debug controls sit below the tabs, on the right of the conversion strip.
  debugAuto.SetBounds(640, 2, 200, 18);
  dryStart.SetBounds(640, 20, 60, 20);
  onlineToggle.SetBounds(704, 20, 140, 20);
  simulatedRun.SetBounds(640, 40, 200, 20);
  debugText.SetBounds(470, 56, 80, 18);
  sendToBuffer.SetBounds(554, 56, 130, 18);
  debugMemo.SetBounds(690, 58, 75, 16);
  clockResync.SetBounds(765, 58, 80, 16);

  selectVehicle.SetBounds(8, 362, 200, 30);
  Add<form::CheckBox>("CheckBox2", &vehiclePage, "Afficher déja les courbes si disponible", true)
      .SetBounds(8, 394, 240, 18);
  selectVehicle.onClick = [this](form::Control&) { SelectVehicle(); };
  home.aboutButton.onClick = [this](form::Control&) {
    HomeTab::ShowAbout(this->services().dialogs);
  };
  home.englishButton.onClick = [this](form::Control&) {
    SwitchToEnglish(*this, status, acquisition.stateTrace, acquisition.dataTrace);
  };
  vehicles.onSelectVehicle = [this] { SelectVehicle(); };

  acquisition.goToDiag.onClick = [this](form::Control&) { pages.SetActivePage(&diagnostics.page); };
  acquisition.showBuffer.onClick = [this](form::Control&) {
    log.ShowBuffer(engine.Framer().Buffer());
  };
  answers.SetEngineSpeedSink(&recorder);
  liveDiagnostics.modes.SetCurves(&power.curves);
  connection.launchAcquisition = [this] { recorder.LaunchAcquisition(); };
  connection.stopAcquisition = [this] { recorder.StopAcquisition(); };
  Get<form::Edit>("Edit28").SetBounds(10, 50, 400, 21);
  Get<form::Button>("Button9").SetBounds(416, 48, 90, 25);
  connection.resolvePort = [this](const std::string& entry, link::InterfaceKind kind) {
    return simulatedCar.Resolve(entry, kind);
  };
  onCloseQuery = [this](form::Window&) { return CloseQuery(); };

  // Creation: no capture polling; the work tabs only with the debug selection (unchecked here).
  state.captureMode = false;
  state.captureAskRpm = false;
  ShowWorkTabs(debugAuto.Checked());
  diagnostics.visualise.SetEnabled(diagnostics.page.TabVisible());
  settings.page.SetTabVisible(false);
  pages.SetActivePage(&home.page);
  powerTab = std::make_unique<PowerTab>(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::ShowWorkTabs(bool shown) {
  for (form::TabPage* page : {&diagnostics.page, &powerPage, &acquisition.page, &diagramPage}) {
    page->SetTabVisible(shown);
  }
}

void MainWindow::Start(const std::vector<std::string>& serialPorts) {
  diagnostics.FillFromPidTable();
  std::vector<std::string> entries = serialPorts;
  entries.push_back(SimulatedCarEntry::kName);
  acquisition.portList.SetItems(entries);
  acquisition.portList.SetItemIndex(0);
  vehicles.FillList();
  smoothing.SetMaximum(20);
  smoothing.SetPosition(12);
}

bool MainWindow::CloseQuery() {
  engine.Disconnect(true);
  if (acquisition.saveLog.Checked()) {
    log.Save(link::DialogueLog::NextLogFile(ProgramFolder()));
  }
  return true;
}

void MainWindow::SelectVehicle() {
  // "Affecter au veh." waits for a curve computed for this vehicle.
  if (auto* assign = dynamic_cast<form::Button*>(Find("Button21")))
    assign->SetEnabled(false);
  status.SetPanelText(0, "Véhicule sélectionné : " + vehicles.nameField.Text());
  vehicleEditor.Editor().Select();
  for (form::TabPage* page :
       {&vehicleEditor.constants, &powerPage, &acquisition.page, &diagramPage}) {
    page->SetTabVisible(true);
  }
  // "Afficher déja les courbes si disponible".
  if (Get<form::CheckBox>("CheckBox2").Checked() && showStoredCurve)
    showStoredCurve();
}

void MainWindow::ShowDebugControls() {
  for (form::Control* control : std::initializer_list<form::Control*>{
           &debugAuto, &onlineToggle, &dryStart, &simulatedRun, &debugText, &sendToBuffer,
           &debugMemo, &clockResync, &acquisition.showBuffer}) {
    control->SetVisible(true);
  }
}

}  // namespace kelvra::app
