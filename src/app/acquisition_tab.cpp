#include "app/acquisition_tab.h"

#include "link/dialogue_log.h"

namespace kelvra::app {

namespace {

form::Label& Caption(form::Window& window, const char* name, form::Container* parent,
                     const char* text, int left, int top) {
  auto& label = window.Add<form::Label>(name, parent, text);
  label.SetBounds(left, top, 0, 0);
  return label;
}

}  // namespace

AcquisitionTab::AcquisitionTab(form::Window& window, form::PageControl& pages)
    : page(window.Add<form::TabPage>("TabSheet3", &pages, "Acquisition données")),
      serialGroup(window.Add<form::Panel>("gbSerial", &page, "Pilotage port série", true)),
      portList(window.Add<form::ComboBox>("ComComboBox1", &serialGroup, true)),
      interfaceList(window.Add<form::ComboBox>("cbIf", &serialGroup)),
      rateLabel(window.Add<form::Label>("Label110", &serialGroup, "Vitesse :")),
      rate9600(window.Add<form::RadioButton>("rb9600", &serialGroup, "9600", true)),
      rate38400(window.Add<form::RadioButton>("rb38400", &serialGroup, "38400", false)),
      alternativePort(
          window.Add<form::CheckBox>("cbAltCom", &serialGroup, "Gestion COM alternative")),
      connectButton(window.Add<form::Button>("Button1", &serialGroup, "Connecter")),
      disconnectButton(window.Add<form::Button>("Button8", &serialGroup, "Déconnecter")),
      resetButton(window.Add<form::Button>("btReset", &serialGroup, "Reset")),
      manualCommand(window.Add<form::Edit>(
          "edManuCmd", &window.Add<form::Panel>("GroupBox13", &page, "Pilotage manuel", true))),
      sendManual(
          window.Add<form::Button>("btCmd", manualCommand.Parent(), "Envoi manuel de commande")),
      viewRpm(window.Add<form::Button>(
          "btRrpm", &window.Add<form::Panel>("gbAcquisition", &page, "Acquisition", true),
          "Visualiser régime")),
      acquire(window.Add<form::Button>("btWrpm", viewRpm.Parent(), "Lancer acquisition")),
      forceConnection(window.Add<form::CheckBox>("cbForceConn", viewRpm.Parent(),
                                                 "Forcer la connection", true)),
      useSpeed(window.Add<form::CheckBox>("cbUseSpd", viewRpm.Parent(), "Utiliser la vitesse")),
      shiftAlert(window.Add<form::CheckBox>("cbShift", viewRpm.Parent(), "Alerte régime :")),
      shiftRpm(window.Add<form::Edit>("Edit2", viewRpm.Parent(), "6000")),
      recorder(window, viewRpm.Parent()),
      stateTrace(window.Add<form::Memo>(
          "Memo5", &window.Add<form::Panel>("GroupBox12", &page, "Suivi données", true))),
      dataTrace(window.Add<form::Memo>("meData", stateTrace.Parent())),
      saveLog(window.Add<form::CheckBox>("cbLog", stateTrace.Parent(), "Sauvegarder log")),
      goToDiag(
          window.Add<form::Button>("btActiveDiag", stateTrace.Parent(), "Activer lecture diag")),
      showBuffer(window.Add<form::Button>("Button12", stateTrace.Parent(), "afficher tampon")) {
  serialGroup.SetBounds(4, 4, 240, 190);
  Caption(window, "Label100", &serialGroup, "Port :", 10, 24);
  portList.SetBounds(80, 20, 150, 22);
  Caption(window, "Label101", &serialGroup, "Interface :", 10, 52);
  interfaceList.SetItems({"ELM323", "ELM327", "mOByDic"});
  interfaceList.SetItemIndex(2);
  interfaceList.SetBounds(80, 48, 150, 22);
  rateLabel.SetBounds(10, 80, 0, 0);
  rate9600.SetBounds(80, 76, 70, 20);
  rate38400.SetBounds(150, 76, 80, 20);
  // The rate is for ELM chips only, and the form starts on mOByDic.
  rateLabel.SetVisible(false);
  rate9600.SetVisible(false);
  rate38400.SetVisible(false);
  alternativePort.SetBounds(10, 104, 220, 20);
  connectButton.SetBounds(10, 132, 105, 25);
  disconnectButton.SetBounds(125, 132, 105, 25);
  resetButton.SetBounds(10, 160, 105, 25);
  resetButton.SetEnabled(false);

  auto* manual = manualCommand.Parent();
  manual->SetBounds(4, 198, 240, 76);
  manualCommand.SetBounds(10, 20, 220, 22);
  sendManual.SetBounds(10, 46, 220, 25);
  sendManual.SetEnabled(false);

  // The run plot (399 x 183) takes the right of the group; buttons, thresholds and options the
  // left, the gauge between them.
  auto* acquisition = viewRpm.Parent();
  acquisition->SetBounds(248, 4, 595, 270);
  viewRpm.SetBounds(8, 18, 150, 25);
  acquire.SetBounds(8, 46, 150, 25);
  recorder.stop.SetBounds(8, 74, 150, 25);
  window
      .Add<form::Label>("Label47", acquisition, "Régime moteur fonction du temps (signal acquis) :")
      .SetBounds(209, 9, 0, 0);
  viewRpm.SetEnabled(false);
  acquire.SetEnabled(false);
  recorder.startLabel.SetBounds(8, 104, 0, 0);
  recorder.startRpm.SetBounds(8, 120, 60, 21);
  recorder.startUnit.SetBounds(72, 123, 0, 0);
  recorder.stopLabel.SetBounds(8, 146, 0, 0);
  recorder.stopRpm.SetBounds(8, 162, 60, 21);
  recorder.stopUnit.SetBounds(72, 165, 0, 0);
  forceConnection.SetBounds(8, 248, 120, 20);
  forceConnection.SetVisible(false);
  useSpeed.SetBounds(8, 190, 150, 20);
  shiftAlert.SetBounds(8, 214, 110, 20);
  shiftRpm.SetBounds(118, 212, 40, 21);
  recorder.gaugeTop.SetBounds(158, 8, 0, 0);
  recorder.gauge.SetBounds(166, 25, 18, 183);
  recorder.rpmText.SetBounds(100, 244, 0, 0);
  recorder.PlacePlot(190, 25);
  recorder.livePlot.SetBounds(190, 240, 160, 20);
  recorder.exportButton.SetBounds(190, 212, 160, 25);
  recorder.showCurves.SetBounds(358, 212, 230, 25);

  auto* traces = stateTrace.Parent();
  traces->SetBounds(4, 278, 835, 132);
  stateTrace.AddLine(link::DialogueLog::kStateFirstLine);
  dataTrace.AddLine(link::DialogueLog::kDataFirstLine);
  stateTrace.SetBounds(6, 18, 340, 108);
  dataTrace.SetBounds(352, 18, 340, 108);
  saveLog.SetBounds(700, 20, 130, 20);
  goToDiag.SetBounds(700, 46, 128, 25);
  goToDiag.SetEnabled(false);
  showBuffer.SetBounds(700, 76, 128, 25);
  showBuffer.SetVisible(false);
}

}  // namespace kelvra::app
