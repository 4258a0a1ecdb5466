#pragma once

#include <vector>

#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/timer.h"

namespace kelvra::link {

// The controls of the main window that the link reads and writes.
struct LinkControls {
  form::StatusBar& statusBar;       // StatusBar: panel 1 shows the link state
  form::ComboBox& portList;         // ComComboBox1: the port name shown
  form::CheckBox& alternativePort;  // cbAltCom "Gestion COM alternative"
  form::CheckBox& debugAuto;        // CheckBox1: skips the mOByDic connection prompt
  form::Button& resetButton;        // btReset "Reset"
  form::TabPage& diagnosticsTab;    // tsDiag "Diagnostique", shown while online
  form::Timer& answerTimeout;       // toTimer
  form::Timer& resetDelay;          // tReset
  form::Timer& firstRequestDelay;   // tInitrpm
  std::vector<form::Control*>
      onlineOnly;  // btRrpm, btWrpm, btVisDiag, btCmd, btActiveDiag, capture
};

// The controls of the main window that the answer handling reads and writes.
struct AnswerControls {
  form::CheckBox& forceConnection;  // cbForceConn "Forcer la connection"
  form::CheckBox& useSpeed;         // cbUseSpd "Utiliser la vitesse"
  form::CheckBox& shiftAlert;       // cbShift "Alerte régime :"
  form::Edit& shiftRpm;             // Edit2, the alert's engine speed
  form::Edit& atmosphericPressure;  // edGPatm "Pression atmo (mBar)"
};

}  // namespace kelvra::link
