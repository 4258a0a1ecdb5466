#pragma once

#include "acquisition/recorder_panel.h"
#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// TabSheet3 "Acquisition données": the connection panel, the manual command, the acquisition
// buttons and the two traces of the dialogue.
class AcquisitionTab {
 public:
  AcquisitionTab(form::Window& window, form::PageControl& pages);

  form::TabPage& page;
  // "Pilotage port série"
  form::Panel& serialGroup;       // gbSerial
  form::ComboBox& portList;       // ComComboBox1
  form::ComboBox& interfaceList;  // cbIf
  form::Label& rateLabel;         // Label110
  form::RadioButton& rate9600;
  form::RadioButton& rate38400;
  form::CheckBox& alternativePort;  // cbAltCom
  form::Button& connectButton;      // Button1
  form::Button& disconnectButton;   // Button8
  form::Button& resetButton;        // btReset
  // "Pilotage manuel"
  form::Edit& manualCommand;  // edManuCmd
  form::Button& sendManual;   // btCmd
  // "Acquisition"
  form::Button& viewRpm;                // btRrpm
  form::Button& acquire;                // btWrpm
  form::CheckBox& forceConnection;      // cbForceConn, hidden
  form::CheckBox& useSpeed;             // cbUseSpd
  form::CheckBox& shiftAlert;           // cbShift
  form::Edit& shiftRpm;                 // Edit2
  acquisition::RecorderPanel recorder;  // thresholds, gauge, run plot, selection, export
  // "Suivi données"
  form::Memo& stateTrace;    // Memo5
  form::Memo& dataTrace;     // meData
  form::CheckBox& saveLog;   // cbLog
  form::Button& goToDiag;    // btActiveDiag
  form::Button& showBuffer;  // Button12, hidden
};

}  // namespace kelvra::app
