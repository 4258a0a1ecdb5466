#include "common/hex.h"
#include "common/windows1252.h"
#include "link/link_engine.h"

namespace kelvra::link {

void LinkEngine::StartInitialisation() {
  framer_.Clear();
  log_.State("\r\nOuverture du port " + controls_.portList.Text());
  SetOnline(false);
  state_.linkState = 1;
  if (state_.elmMode) {
    controls_.resetDelay.SetEnabled(false);
    controls_.resetDelay.SetInterval(startDelayMs_);
    controls_.resetDelay.SetEnabled(true);
  } else {
    log_.State("Recherche du protocole mOByDic utilisé");
    ResetInterface();
  }
}

void LinkEngine::ResetInterface() {
  controls_.resetDelay.SetEnabled(false);
  if (state_.elmMode) {
    log_.State("Réinitialisation de l'interface");
    SendCommand("atz\r");
    // A chip that never answers its reset (silent, or at another line speed) must not leave the
    // sequence waiting for ever: the timeout traces it and asks again.
    ExpectAnswer();
    return;
  }
  flags_.expectAck = true;
  state_.linkState = 3;
  // The protocol request goes out whatever the dry run says, and is not traced.
  Transmit(std::string(1, '\x05'));
}

void LinkEngine::OnFirstRequestDue() {
  SendCommand("010c\r");
  ExpectAnswer();
  controls_.firstRequestDelay.SetEnabled(false);
}

bool LinkEngine::HandleInitAnswer(const std::string& line, Token token) {
  if (token == Token::BusOk)
    log_.State("Initialisation bus OK.");
  if (token == Token::Atz)
    log_.State("Interface ELM323 détectée.");
  switch (state_.linkState) {
    case 1:
      // Whatever the chip said to the reset, the sequence goes on.
      state_.linkState = 2;
      SendCommand("ate0\r");
      ExpectAnswer();
      return true;
    case 2:
      if (token == Token::Ate0) {
        state_.linkState = 3;
        controls_.firstRequestDelay.SetEnabled(false);
        controls_.firstRequestDelay.SetEnabled(true);
      } else {
        ReportUnexpected(2, line);
      }
      return true;
    case 3: {
      const bool engineSpeed =
          line.compare(0, 4, "410c") == 0 || (line.size() >= 13 && line.compare(9, 4, "410c") == 0);
      const bool established = engineSpeed || (!line.empty() && line[0] == '6') ||
                               (!line.empty() && static_cast<unsigned char>(line[0]) == 0x05);
      if (established) {
        state_.initialising = false;
        log_.State("Connexion OBD établie.");
        SetOnline(true);
      } else if (token == Token::NoData) {
        log_.State("Erreur fatale : PID non supporté par le calculateur");
      } else {
        ReportUnexpected(3, line);
      }
      return true;
    }
    default:
      return false;
  }
}

void LinkEngine::HandleAcknowledge(const std::string& line) {
  flags_.expectData = false;
  if (line.empty() || static_cast<unsigned char>(line[0]) != 0x06 || !awaitingAck_)
    return;
  flags_.expectAck = false;
  flags_.expectData = true;
  awaitingAck_ = false;
  const auto first = pendingCommand_.size() >= 2
                         ? ParseHexDigits(std::string_view(pendingCommand_).substr(0, 2))
                         : std::nullopt;
  const auto second = pendingCommand_.size() >= 4
                          ? ParseHexDigits(std::string_view(pendingCommand_).substr(2, 2))
                          : std::nullopt;
  if (!first || !second) {
    log_.State("Commande non transmissible à l'interface mOByDic : " + pendingCommand_);
    return;
  }
  // The two command bytes go out even in a dry run, and are not traced.
  Transmit(std::string(1, static_cast<char>(*first)));
  Transmit(std::string(1, static_cast<char>(*second)));
}

void LinkEngine::ReportUnexpected(int state, const std::string& line) {
  log_.Note("Réponse non attendue : " + Cp1252ToUtf8(line));
  const int seen = unexpectedCount_++;
  if (seen > kUnexpectedLimit) {
    unexpectedCount_ = 0;
    log_.State("Trop de réponses hors contexte, réinitialisation");
    StartInitialisation();
  }
  // The step passed in decides, so after a restart the old step's command still goes out. The
  // handling stopped the answer timeout: started again, so that a lost answer to this command is
  // retried rather than leaving the sequence waiting for ever.
  if (state_.initialising && state == 2) {
    SendCommand("ate0\r");
    ExpectAnswer();
  }
  if (state_.initialising && state == 3) {
    SendCommand("010c\r");
    ExpectAnswer();
  }
}

void LinkEngine::OnAnswerTimeout() {
  log_.State("Timeout.");
  const int seen = timeoutCount_++;
  const bool restarted = seen > kTimeoutLimit;
  if (restarted) {
    timeoutCount_ = 0;
    log_.State("Trop de timeouts, réinitialisation");
    StartInitialisation();
  }
  // The reset is the pending step: asked again, unless the restart above asks it shortly.
  if (!restarted && state_.elmMode && state_.initialising && state_.linkState == 1)
    SendCommand("atz\r");
  if (state_.initialising && state_.linkState == 2)
    SendCommand("ate0\r");
  if ((state_.initialising && state_.linkState == 3) || state_.speedViewActive) {
    SendCommand("010c\r");
    if (state_.online && !state_.initialising)
      ExpectAnswer();
  } else if (state_.online && !state_.initialising && retry_) {
    // A lost answer must not freeze the polling: the activity that asked sends again.
    retry_();
  }
}

}  // namespace kelvra::link
