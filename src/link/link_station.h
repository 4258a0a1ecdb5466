#pragma once

#include <string>
#include <string_view>

#include "form/window.h"
#include "link/answer_handler.h"
#include "link/dialogue_log.h"
#include "link/link_engine.h"

namespace kelvra::link {

// The link on a window of its own that holds just the controls it reads and writes: for programs
// without the main window (kelvra-cli) and for tests.
class LinkStation {
 public:
  LinkStation(form::Services& services, SerialPort& componentPort, SerialPort& alternativePort);

  form::Window window;
  form::Memo& stateTrace;
  form::Memo& dataTrace;
  form::StatusBar& statusBar;
  form::ComboBox& portList;
  form::CheckBox& altCom;
  form::CheckBox& debugAuto;
  form::Button& resetButton;
  form::PageControl& pages;
  form::TabPage& diagTab;
  form::Timer& toTimer;
  form::Timer& tReset;
  form::Timer& tInitrpm;
  form::Button& btRrpm;
  form::Button& btWrpm;
  form::CheckBox& forceConn;
  form::CheckBox& useSpeed;
  form::CheckBox& shiftAlert;
  form::Edit& shiftRpm;
  form::Edit& atmosphere;

  SharedState state;
  DialogueLog log;
  LinkEngine engine;
  AnswerHandler handler;

  // Shows the port in the port list and connects through the chosen port.
  void Connect(InterfaceKind kind, bool fastRate, const std::string& portName, bool alternative);
};

}  // namespace kelvra::link
