#pragma once

#include <functional>
#include <string>

#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/text_controls.h"
#include "form/timer.h"
#include "link/link_engine.h"

namespace kelvra::link {

// The controls of "Pilotage port série", "Pilotage manuel" and the hidden debug controls.
struct ConnectionControls {
  form::ComboBox& portList;         // ComComboBox1
  form::ComboBox& interfaceList;    // cbIf: "ELM323", "ELM327", "mOByDic"
  form::Label& rateLabel;           // Label110 "Vitesse :"
  form::RadioButton& rate9600;      // rb9600
  form::RadioButton& rate38400;     // rb38400
  form::CheckBox& alternativePort;  // cbAltCom
  form::Button& connectButton;      // Button1 "Connecter"
  form::Button& disconnectButton;   // Button8 "Déconnecter"
  form::Button& resetButton;        // btReset "Reset"
  form::Edit& manualCommand;        // edManuCmd
  form::Button& sendManual;         // btCmd "Envoi manuel de commande"
  form::Button& dryStart;           // Button13 "1 start"
  form::Button& onlineToggle;       // Button10 "2 debug : obdonline"
  form::Button& sendToBuffer;       // btDebugSend "3 debug:send2tampon"
  form::Edit& debugText;            // edDebugSend
  form::Button& simulatedRun;       // Button14 "sequence acquisition auto"
  form::Timer& simulationTimer;     // Timer1, 25 ms
};

// Binds the connection panel to the link engine: connect, disconnect, reset, the interface and
// rate choice, the manual command, and the debug actions that simulate a connection and a run.
class ConnectionPanel {
 public:
  static constexpr int kSimulationStepMs = 25;

  ConnectionPanel(LinkEngine& engine, ConnectionControls controls, SerialPort& componentPort,
                  SerialPort& alternativePort);

  void Button1Click();   // Connecter
  void Button8Click();   // Déconnecter
  void btResetClick();   // Reset
  void cbIfChange();     // the rate choice is for ELM chips only
  void btCmdClick();     // manual command
  void Button13Click();  // dry start
  void Button10Click();  // online toggle
  void btDebugSendClick();
  void Button14Click();  // simulated run
  void Timer1Timer();

  InterfaceKind SelectedKind() const;

  // Turns the port list's entry into the device to open (the simulated car's entry into its pty).
  std::function<std::string(const std::string& entry, InterfaceKind kind)> resolvePort;
  // The run recorder's actions, for the simulated run.
  std::function<void()> launchAcquisition;
  std::function<void()> stopAcquisition;

 private:
  LinkEngine& engine_;
  ConnectionControls controls_;
  SerialPort& componentPort_;
  SerialPort& alternativePort_;
  long long simulationCounter_ = 0;
};

}  // namespace kelvra::link
