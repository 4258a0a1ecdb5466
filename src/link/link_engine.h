#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form/services.h"
#include "link/dialogue_log.h"
#include "link/link_controls.h"
#include "link/response_framer.h"
#include "link/response_token.h"
#include "link/serial_port.h"
#include "link/shared_state.h"

namespace kelvra::link {

enum class InterfaceKind { Elm323, Elm327, Mobydic };

// Receives every classified answer (the answer handling).
class AnswerSink {
 public:
  virtual ~AnswerSink() = default;
  virtual void HandleAnswer(const std::string& line, Token token) = 0;
};

// The dialogue with the OBD interface: connection, the connection sequence up to online, every
// command sent, the framing and classification of every response, answer timeouts and answers out
// of context, and the restarts when too many go wrong.
class LinkEngine : public PortEvents {
 public:
  // Polling answers come within a fraction of a second: after this long one is lost, and the
  // activity that asked sends again. The connection sequence waits longer, for a chip that is
  // still searching for the vehicle's protocol.
  static constexpr int kOnlineAnswerTimeoutMs = 2500;
  static constexpr int kInitAnswerTimeoutMs = 15000;
  static constexpr int kStartDelayMs = 2000;
  static constexpr int kTimeoutLimit = 3;
  static constexpr int kUnexpectedLimit = 13;

  LinkEngine(SharedState& state, DialogueLog& log, LinkControls controls, form::Services& services,
             SerialPort& componentPort, SerialPort& alternativePort);
  ~LinkEngine() override;
  LinkEngine(const LinkEngine&) = delete;
  LinkEngine& operator=(const LinkEngine&) = delete;

  void SetAnswerSink(AnswerSink* sink) { answers_ = sink; }
  // A control of another window that is enabled only while online (the gear dialog's capture).
  void AddOnlineOnly(form::Control& control) {
    controls_.onlineOnly.push_back(&control);
    control.SetEnabled(state_.online);
  }

  // Traces and transmits one ELM-style command ("010c\r"), in the convention of the interface.
  void SendCommand(std::string_view text);
  void Connect(InterfaceKind kind, bool fastRate, const std::string& portName,
               bool useAlternativePort);
  // The user's "Déconnecter" (fromShutdown false) or the program's end: the port is closed and
  // the link goes offline.
  void Disconnect(bool fromShutdown);
  void StartInitialisation();
  void ResetInterface();
  void SetOnline(bool on);
  // "Connexion OBD" in the status bar: a connection is under way.
  void StatusConnecting();
  // Returns whether the connection sequence consumed the answer.
  bool HandleInitAnswer(const std::string& line, Token token);
  void HandleAcknowledge(const std::string& line);
  void ReportUnexpected(int state, const std::string& line);
  void OnAnswerTimeout();
  void OnFirstRequestDue();
  // Starts toTimer for the command just sent: long during the connection sequence, short online.
  void ExpectAnswer();
  void StopAnswerTimeout();
  // A request is out and its answer awaited (toTimer runs).
  bool AnswerPending() const { return controls_.answerTimeout.Enabled(); }
  // A response is complete: from the prompt, the mOByDic rules, or the debug button with its text.
  void CompleteResponse(std::optional<std::string> debugText = std::nullopt);

  // The activity to retry when an online answer is lost (engine-speed view, capture, diagnostics).
  void SetRetryHandler(std::function<void()> retry) { retry_ = std::move(retry); }

  // PortEvents: the active port's notifications.
  void PortOpened() override { StartInitialisation(); }
  void PortClosed() override;
  void PortError(std::string_view what) override;
  void BytesReceived(std::string_view bytes) override { framer_.Append(bytes); }
  void EventCharReceived() override { CompleteResponse(); }

  ResponseFramer& Framer() { return framer_; }
  const FramingFlags& Flags() const { return flags_; }
  const std::string& LastCommand() const { return lastCommand_; }
  const std::string& PendingCommand() const { return pendingCommand_; }
  bool AwaitingAck() const { return awaitingAck_; }
  int TimeoutCount() const { return timeoutCount_; }
  int UnexpectedCount() const { return unexpectedCount_; }
  bool DryRun() const { return dryRun_; }
  void SetDryRun(bool dryRun) { dryRun_ = dryRun; }
  // The two 2000 ms start-up delays; end-to-end tests shorten them.
  void SetStartDelayMs(int ms);
  SerialPort& ActivePort() const;
  DialogueLog& Log() const { return log_; }
  SharedState& State() const { return state_; }

 private:
  void Transmit(std::string_view bytes);
  void HandleClassified(const std::string& raw);

  SharedState& state_;
  DialogueLog& log_;
  LinkControls controls_;
  form::Services& services_;
  SerialPort& componentPort_;
  SerialPort& alternativePort_;
  AnswerSink* answers_ = nullptr;
  std::function<void()> retry_;

  FramingFlags flags_;
  ResponseFramer framer_;
  int timeoutCount_ = 0;
  int unexpectedCount_ = 0;
  std::string lastCommand_;
  std::string pendingCommand_;
  bool awaitingAck_ = false;
  bool dryRun_ = false;
  int startDelayMs_ = kStartDelayMs;
};

}  // namespace kelvra::link
