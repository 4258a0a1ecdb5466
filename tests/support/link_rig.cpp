#include "support/link_rig.h"

#include <algorithm>

#include "form/page_controls.h"

namespace kelvra::testing {

namespace {

form::StatusBar& MakeStatus(form::Window& window) {
  auto& bar = window.Add<form::StatusBar>("StatusBar");
  bar.AddPanel("Aucun véhicule sélectionné", 500);
  bar.AddPanel("OBD Offline", 50);
  return bar;
}

form::ComboBox& MakePortList(form::Window& window) {
  auto& list = window.Add<form::ComboBox>("ComComboBox1", nullptr, true);
  list.SetItems({"/dev/ttyUSB0"});
  list.SetItemIndex(0);
  return list;
}

bool Contains(const std::vector<std::string>& lines, std::string_view text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

}  // namespace

LinkRig::LinkRig()
    : stateTrace(window.Add<form::Memo>("Memo5")),
      dataTrace(window.Add<form::Memo>("meData")),
      statusBar(MakeStatus(window)),
      portList(MakePortList(window)),
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
      log(stateTrace, dataTrace, env.clock),
      engine(state, log,
             link::LinkControls{statusBar,
                                portList,
                                altCom,
                                debugAuto,
                                resetButton,
                                diagTab,
                                toTimer,
                                tReset,
                                tInitrpm,
                                {&btRrpm, &btWrpm}},
             env.services, port, altPort),
      handler(state, engine,
              link::AnswerControls{forceConn, useSpeed, shiftAlert, shiftRpm, atmosphere},
              env.beeper) {
  diagTab.SetTabVisible(false);
  btRrpm.SetEnabled(false);
  btWrpm.SetEnabled(false);
  handler.SetEngineSpeedSink(&sinks);
  handler.SetDiagnosticsSink(&sinks);
  handler.SetLiveModeSink(&sinks);
  handler.SetLiveChartSink(&sinks);
  handler.SetCaptureSink(&sinks);
}

void LinkRig::ConnectElmOnline() {
  engine.Connect(link::InterfaceKind::Elm327, true, portList.Text(), false);
  env.clock.Advance(link::LinkEngine::kStartDelayMs);
  Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  Answer("ate0\rOK\r\r>");
  env.clock.Advance(link::LinkEngine::kStartDelayMs);
  Answer("41 0C 0B B8\r\r>");
}

void LinkRig::ConnectMobydicOnline() {
  debugAuto.SetChecked(true);
  engine.Connect(link::InterfaceKind::Mobydic, false, portList.Text(), false);
  port.Feed(std::string("\x05\x00\x01", 3));
}

bool LinkRig::StateHas(std::string_view text) const {
  return Contains(stateTrace.Lines(), text);
}

bool LinkRig::DataHas(std::string_view text) const {
  return Contains(dataTrace.Lines(), text);
}

}  // namespace kelvra::testing
