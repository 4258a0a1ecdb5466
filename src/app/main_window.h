#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/run_file_chooser.h"
#include "acquisition/run_recorder.h"
#include "acquisition/run_selection.h"
#include "app/acquisition_tab.h"
#include "app/diagnostics_tab.h"
#include "app/diagram_tab.h"
#include "app/home_tab.h"
#include "app/power_tab.h"
#include "app/settings_tab.h"
#include "app/simulated_car_entry.h"
#include "app/unit_converter.h"
#include "app/vehicle_page.h"
#include "diagnostics/live_diagnostics.h"
#include "form/range_controls.h"
#include "form/timer.h"
#include "form/window.h"
#include "link/answer_handler.h"
#include "link/connection_panel.h"
#include "link/dialogue_log.h"
#include "link/link_engine.h"
#include "power/curve_computation.h"
#include "vehicle/vehicle_store.h"
#include "vehicle/vehicle_tab.h"

namespace kelvra::app {

// TForm1, the main window: its tab pages, the conversion strip below them, the status bar, the
// hidden debug controls, and the objects that live as long as it (the link and the vehicle store).
class MainWindow : public form::Window {
 public:
  static constexpr int kWidth = 855;
  static constexpr int kHeight = 538;
  static constexpr const char* kCaption =
      "Kelvra v2 beta TRI-interface --------- Version Test n°022g FR";

  MainWindow(form::Services& services, link::SerialPort& componentPort,
             link::SerialPort& alternativePort);
  ~MainWindow() override;

  // Start-up, once every window exists: PID list and labels, vehicle list, smoothing range.
  void Start(const std::vector<std::string>& serialPorts);
  // FormCloseQuery: disconnects, and keeps the traces in the first free logN.log when asked.
  bool CloseQuery();
  // Shows the hidden debug controls (the --debug option).
  void ShowDebugControls();
  // btVehSelecClick: the vehicle in the editor becomes the one the program works with.
  void SelectVehicle();
  // Shows the selected vehicle's stored curve at once, when the power tab asks for it.
  std::function<void()> showStoredCurve;

  form::PageControl& pages;
  form::StatusBar& status;
  HomeTab home;
  form::TabPage& vehiclePage;  // TabSheet2
  AcquisitionTab acquisition;
  form::TabPage& powerPage;   // tsPuissance
  form::TrackBar& smoothing;  // tbLisse
  DiagnosticsTab diagnostics;
  SettingsTab settings;          // TabSheet8
  form::TabPage& diagramPage;    // TabSheet9
  form::Panel& conversionStrip;  // GroupBox10
  UnitConverter converter;
  form::Button& selectVehicle;  // btVehSelec

  // Hidden debug controls.
  form::CheckBox& debugAuto;    // CheckBox1
  form::Button& onlineToggle;   // Button10
  form::Button& dryStart;       // Button13
  form::Button& simulatedRun;   // Button14
  form::Edit& debugText;        // edDebugSend
  form::Button& sendToBuffer;   // btDebugSend
  form::CheckBox& debugMemo;    // cbdebugm
  form::CheckBox& clockResync;  // cbRH

  form::Timer& answerTimeout;      // toTimer
  form::Timer& resetDelay;         // tReset
  form::Timer& firstRequestDelay;  // tInitrpm
  form::Timer& simulationTimer;    // Timer1
  form::Timer& accelerationTimer;  // accTimer

  link::SharedState state;
  link::DialogueLog log;
  link::LinkEngine engine;
  link::AnswerHandler answers;
  link::ConnectionPanel connection;
  VehiclePage vehicleEditor;  // the editor's pages, before the vehicle tab puts its fields there
  vehicle::VehicleStore store;
  vehicle::VehicleTab vehicles;
  SimulatedCarEntry simulatedCar;
  acquisition::RunRecorder recorder;
  acquisition::RunSelection selection;
  acquisition::RunFileChooser runFileChooser;  // Button9 "Parcourir" and Edit28, power tab
  // The curves the power tab computes; the diagram tab reads the newest one.
  power::PowerWorkspace power;
  DiagramTab diagram;  // on diagramPage
  // The tab "Diagnostique" at work: rotation, log, live modes, timing, live chart feed.
  kelvra::diagnostics::LiveDiagnostics liveDiagnostics;
  std::unique_ptr<PowerTab> powerTab;  // built last: it lays out the power tab's earlier controls

 private:
  void ShowWorkTabs(bool shown);
};

}  // namespace kelvra::app
