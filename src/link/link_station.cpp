#include "link/link_station.h"

#include "form/page_controls.h"

namespace kelvra::link {

namespace {

form::StatusBar& MakeStatus(form::Window& window) {
  auto& bar = window.Add<form::StatusBar>("StatusBar");
  bar.AddPanel("Aucun véhicule sélectionné", 500);
  bar.AddPanel("OBD Offline", 50);
  return bar;
}

form::Memo& MakeTrace(form::Window& window, const char* name, std::string_view firstLine) {
  auto& memo = window.Add<form::Memo>(name);
  memo.AddLine(firstLine);
  return memo;
}

}  // namespace

LinkStation::LinkStation(form::Services& services, SerialPort& componentPort,
                         SerialPort& alternativePort)
    : window(services, "Form1", "Kelvra", 855, 538),
      stateTrace(MakeTrace(window, "Memo5", DialogueLog::kStateFirstLine)),
      dataTrace(MakeTrace(window, "meData", DialogueLog::kDataFirstLine)),
      statusBar(MakeStatus(window)),
      portList(window.Add<form::ComboBox>("ComComboBox1", nullptr, true)),
      altCom(window.Add<form::CheckBox>("cbAltCom", nullptr, "Gestion COM alternative")),
      debugAuto(window.Add<form::CheckBox>("CheckBox1", nullptr, "debug : selection auto")),
      resetButton(window.Add<form::Button>("btReset", nullptr, "Reset")),
      pages(window.Add<form::PageControl>("PageControl1")),
      diagTab(window.Add<form::TabPage>("tsDiag", &pages, "Diagnostique")),
      toTimer(window.Add<form::Timer>("toTimer")),
      tReset(window.Add<form::Timer>("tReset")),
      tInitrpm(window.Add<form::Timer>("tInitrpm")),
      btRrpm(window.Add<form::Button>("btRrpm", nullptr, "Visualiser régime")),
      btWrpm(window.Add<form::Button>("btWrpm", nullptr, "Lancer acquisition")),
      forceConn(window.Add<form::CheckBox>("cbForceConn", nullptr, "Forcer la connection", true)),
      useSpeed(window.Add<form::CheckBox>("cbUseSpd", nullptr, "Utiliser la vitesse")),
      shiftAlert(window.Add<form::CheckBox>("cbShift", nullptr, "Alerte régime :")),
      shiftRpm(window.Add<form::Edit>("Edit2", nullptr, "6000")),
      atmosphere(window.Add<form::Edit>("edGPatm", nullptr, "1013")),
      log(stateTrace, dataTrace, services.clock),
      engine(state, log,
             LinkControls{statusBar,
                          portList,
                          altCom,
                          debugAuto,
                          resetButton,
                          diagTab,
                          toTimer,
                          tReset,
                          tInitrpm,
                          {&btRrpm, &btWrpm}},
             services, componentPort, alternativePort),
      handler(state, engine, AnswerControls{forceConn, useSpeed, shiftAlert, shiftRpm, atmosphere},
              services.beeper) {
  diagTab.SetTabVisible(false);
  resetButton.SetEnabled(false);
  btRrpm.SetEnabled(false);
  btWrpm.SetEnabled(false);
}

void LinkStation::Connect(InterfaceKind kind, bool fastRate, const std::string& portName,
                          bool alternative) {
  portList.SetText(portName);
  altCom.SetChecked(alternative);
  engine.Connect(kind, fastRate, portName, alternative);
}

}  // namespace kelvra::link
