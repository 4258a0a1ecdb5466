#include "link/link_engine.h"

#include "common/errors.h"
#include "form/page_controls.h"

namespace kelvra::link {

namespace {

constexpr std::string_view kMobydicPrompt =
    "Veuillez connecter l'interface, contact mis, et attendre que la LED \"connection\" "
    "s'allume, puis cliquer sur OK.";

}  // namespace

LinkEngine::LinkEngine(SharedState& state, DialogueLog& log, LinkControls controls,
                       form::Services& services, SerialPort& componentPort,
                       SerialPort& alternativePort)
    : state_(state),
      log_(log),
      controls_(std::move(controls)),
      services_(services),
      componentPort_(componentPort),
      alternativePort_(alternativePort),
      framer_(state.elmMode, flags_, [this] { CompleteResponse(); }) {
  controls_.answerTimeout.SetInterval(kInitAnswerTimeoutMs);
  controls_.answerTimeout.onTimer = [this](form::Control&) { OnAnswerTimeout(); };
  controls_.resetDelay.SetInterval(kStartDelayMs);
  controls_.resetDelay.onTimer = [this](form::Control&) { ResetInterface(); };
  controls_.firstRequestDelay.SetInterval(kStartDelayMs);
  controls_.firstRequestDelay.onTimer = [this](form::Control&) { OnFirstRequestDue(); };
  componentPort_.SetEvents(this);
}

LinkEngine::~LinkEngine() {
  componentPort_.SetEvents(nullptr);
  alternativePort_.SetEvents(nullptr);
}

SerialPort& LinkEngine::ActivePort() const {
  return controls_.alternativePort.Checked() ? alternativePort_ : componentPort_;
}

void LinkEngine::Transmit(std::string_view bytes) {
  ActivePort().Write(bytes);
}

void LinkEngine::SendCommand(std::string_view text) {
  log_.Sent(text);
  if (!text.empty() && text.front() == 'L')
    return;  // a note for the trace only
  if (text.empty()) {
    log_.State("Commande vide : rien n'est transmis.");
    return;
  }
  if (state_.elmMode) {
    // The chip repeats its previous command on an empty line.
    if (text != lastCommand_) {
      lastCommand_ = std::string(text);
      if (!dryRun_)
        Transmit(text);
    } else if (!dryRun_) {
      Transmit("\r");
    }
    return;
  }
  framer_.Clear();
  pendingCommand_ = std::string(text.substr(0, text.size() - 1));
  awaitingAck_ = true;
  flags_.expectAck = true;
  if (!dryRun_)
    Transmit(std::string(1, '\x02'));
}

void LinkEngine::Connect(InterfaceKind kind, bool fastRate, const std::string& portName,
                         bool useAlternativePort) {
  framer_.Clear();
  state_.elmMode = kind != InterfaceKind::Mobydic;
  SerialPort& port = useAlternativePort ? alternativePort_ : componentPort_;
  if (useAlternativePort) {
    componentPort_.SetEvents(nullptr);
    alternativePort_.SetEvents(this);
  } else {
    alternativePort_.SetEvents(nullptr);
    componentPort_.SetEvents(this);
  }
  PortSettings settings;
  settings.name = portName;
  settings.baudRate = fastRate ? 38400 : 9600;
  settings.eventCharEnabled = state_.elmMode;

  if (!state_.elmMode && !controls_.debugAuto.Checked()) {
    services_.dialogs.ShowMessage(std::string(kMobydicPrompt));
  }
  StatusConnecting();
  state_.initialising = true;
  state_.linkState = 0;

  if (useAlternativePort) {
    controls_.resetButton.SetEnabled(true);
    if (port.IsOpen())
      return;
    port.Open(settings);
    return;
  }
  if (!port.IsOpen())
    port.Open(settings);
  controls_.resetButton.SetEnabled(port.IsOpen());
}

void LinkEngine::Disconnect(bool fromShutdown) {
  (void)fromShutdown;
  // Whichever port is in use, a closed port means the link is offline: nothing answers any more.
  if (componentPort_.IsOpen())
    componentPort_.Close();
  if (alternativePort_.IsOpen())
    alternativePort_.Close();
  controls_.resetButton.SetEnabled(false);
  SetOnline(false);
}

void LinkEngine::StatusConnecting() {
  controls_.statusBar.SetPanelText(1, "Connexion OBD");
}

void LinkEngine::SetStartDelayMs(int ms) {
  startDelayMs_ = ms;
  controls_.resetDelay.SetInterval(ms);
  controls_.firstRequestDelay.SetInterval(ms);
}

void LinkEngine::SetOnline(bool on) {
  state_.online = on;
  state_.initialising = !on;
  if (on) {
    controls_.statusBar.SetPanelText(1, "OBD Online");
  } else {
    StopAnswerTimeout();
    controls_.statusBar.SetPanelText(1, "OBD Offline");
    state_.diagDisplayOn = false;
  }
  for (form::Control* control : controls_.onlineOnly)
    control->SetEnabled(on);
  controls_.diagnosticsTab.SetTabVisible(on);
}

void LinkEngine::ExpectAnswer() {
  form::Timer& timer = controls_.answerTimeout;
  timer.SetEnabled(false);
  timer.SetInterval(state_.online && !state_.initialising ? kOnlineAnswerTimeoutMs
                                                          : kInitAnswerTimeoutMs);
  timer.SetEnabled(true);
}

void LinkEngine::StopAnswerTimeout() {
  controls_.answerTimeout.SetEnabled(false);
}

void LinkEngine::PortClosed() {
  log_.State("Fermeture du port...");
  // Nothing answers a closed port: the sequence stops and the link is offline.
  controls_.resetDelay.SetEnabled(false);
  controls_.firstRequestDelay.SetEnabled(false);
  controls_.resetButton.SetEnabled(false);
  SetOnline(false);
}

void LinkEngine::PortError(std::string_view what) {
  log_.State("Erreur sur le port.");
  if (!what.empty())
    log_.State(what);
}

}  // namespace kelvra::link
