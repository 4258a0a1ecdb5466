#include "link/answer_handler.h"

#include <cmath>

#include "common/errors.h"
#include "common/hex.h"
#include "common/number_text.h"

namespace kelvra::link {

namespace {

bool StartsWith(const std::string& line, std::string_view prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// Characters 5 and on, as many as asked: the data bytes; nothing when missing or not hex.
std::optional<std::uint32_t> DataDigits(const std::string& line, size_t count) {
  if (line.size() < 4 + count)
    return std::nullopt;
  return ParseHexDigits(std::string_view(line).substr(4, count));
}

}  // namespace

AnswerHandler::AnswerHandler(SharedState& state, LinkEngine& engine, AnswerControls controls,
                             form::Beeper& beeper)
    : state_(state), engine_(engine), controls_(controls), beeper_(beeper) {
  engine_.SetAnswerSink(this);
  engine_.SetRetryHandler([this] { RetryAfterTimeout(); });
}

AnswerHandler::~AnswerHandler() {
  engine_.SetAnswerSink(nullptr);
  engine_.SetRetryHandler(nullptr);
}

void AnswerHandler::HandleAnswer(const std::string& answer, Token token) {
  std::string line = answer;
  const bool speedPolling =
      !state_.initialising && state_.online && state_.speedViewActive && !state_.diagDisplayOn;
  if (token == Token::MobyFalseReq)
    engine_.Log().State("Commande non reconnue.");
  if (!state_.elmMode) {
    engine_.HandleAcknowledge(line);
    if (token == Token::MobyNoProto)
      return;
  }
  engine_.Log().TrimBoth();
  state_.decodedIndex = -1;
  engine_.StopAnswerTimeout();
  if (token == Token::BusErr) {
    engine_.Log().State("Erreur fatale bus, réintialisation.");
    engine_.StartInitialisation();
    return;
  }
  if (state_.initialising && engine_.HandleInitAnswer(line, token))
    return;
  if (state_.captureMode)
    CapturePolling(line);
  if (speedPolling && !EngineSpeedPolling(line, token))
    return;
  if (state_.auxRequest == 1 && StartsWith(line, "410b"))
    BarometricReading(line);
  if (state_.diagDisplayOn)
    Diagnostics(line, token);
}

void AnswerHandler::CapturePolling(std::string& line) {
  if (StartsWith(line, "410d")) {
    const auto speed = DataDigits(line, 2);
    line = line.substr(4, 2);
    if (speed && capture_ != nullptr)
      capture_->CapturedSpeed(static_cast<int>(*speed));
    state_.captureAskRpm = true;
  }
  if (StartsWith(line, "410c")) {
    const auto value = DataDigits(line, 4);
    line = line.substr(4, 4);
    if (value && capture_ != nullptr)
      capture_->CapturedEngineSpeed(static_cast<int>(*value / 4));
    state_.captureAskRpm = false;
  }
  SendCaptureRequest();
}

void AnswerHandler::SendCaptureRequest() {
  engine_.SendCommand(state_.captureAskRpm ? "010c\r" : "010d\r");
  engine_.ExpectAnswer();
}

bool AnswerHandler::EngineSpeedPolling(std::string& line, Token token) {
  const std::string_view request = controls_.useSpeed.Checked() ? "010d\r" : "010c\r";
  if (token == Token::Lv0Warn) {
    engine_.SendCommand("010c\r");
    engine_.ExpectAnswer();
    return false;
  }
  if (token == Token::MobyFalseReq && controls_.forceConnection.Checked()) {
    engine_.SendCommand("010c\r");
  }
  int derived = 0;
  if (controls_.useSpeed.Checked() && StartsWith(line, "410d")) {
    const auto speed = DataDigits(line, 2);
    if (!speed) {
      ReportMalformed(line);
      engine_.SendCommand(request);
      engine_.ExpectAnswer();
      return true;
    }
    line = line.substr(4, 2);
    if (state_.speedPer1000 == 0) {
      // No speed per 1000 tr/mn for the engaged gear: no engine speed can follow from the speed.
      if (!zeroGearReported_) {
        engine_.Log().State(
            "Vitesse pour 1000 tr/mn nulle : régime non calculable depuis la vitesse.");
        zeroGearReported_ = true;
      }
    } else {
      zeroGearReported_ = false;
      derived = static_cast<int>(std::trunc(*speed / state_.speedPer1000 * 1000));
    }
  }
  if (StartsWith(line, "410c") || derived != 0) {
    int rpm = derived;
    if (rpm == 0) {
      const auto ab = DataDigits(line, 4);
      if (!ab) {
        ReportMalformed(line);
        engine_.SendCommand(request);
        engine_.ExpectAnswer();
        return true;
      }
      rpm = static_cast<int>(*ab / 4);
    }
    if (engineSpeed_ != nullptr)
      engineSpeed_->OnEngineSpeed(rpm);
    engine_.SendCommand(request);
    engine_.ExpectAnswer();
  } else {
    // Not the answer asked for (garbled, or another activity's): wait on, so that if the real
    // one never comes the timeout asks again instead of leaving the polling frozen.
    engine_.ExpectAnswer();
  }
  return true;
}

void AnswerHandler::BarometricReading(const std::string& line) {
  const auto pressure = DataDigits(line, 2);
  if (!pressure) {
    ReportMalformed(line);
    return;
  }
  state_.auxRequest = 0;
  // The manifold pressure with the engine stopped, in kPa, is the atmospheric pressure in mbar.
  controls_.atmosphericPressure.SetText(FormatInteger(*pressure * 10));
}

void AnswerHandler::Diagnostics(const std::string& line, Token token) {
  if (token == Token::MobyAck)
    return;
  bool decoded = true;
  try {
    state_.decodedIndex = diagnostics::DecodePidAnswer(line, state_.values);
  } catch (const ConversionError&) {
    ReportMalformed(line);
    decoded = false;
  }
  if (decoded) {
    const auto& values = state_.values;
    // A threshold that does not read as a number sounds no alert rather than stopping the polling.
    double threshold = 0;
    if (StartsWith(line, "410c") && controls_.shiftAlert.Checked() &&
        TryParseReal(controls_.shiftRpm.Text(), threshold) && threshold < values[8]) {
      beeper_.Beep();
    }
    if (state_.auxRequest == 2) {
      if (StartsWith(line, "410b")) {
        if (liveChart_ != nullptr)
          liveChart_->AddPoint(values[7], 0);
        if (liveModes_ != nullptr)
          liveModes_->BoostAlert();
      } else if (StartsWith(line, "410c")) {
        if (liveChart_ != nullptr)
          liveChart_->AddPoint(values[8], 1);
      }
    }
    if (StartsWith(line, "410d")) {
      const int speed = static_cast<int>(std::trunc(values[9]));
      if (state_.liveMode == "perfs" && liveModes_ != nullptr)
        liveModes_->PerformanceSample(speed);
      state_.lastSpeed = speed;
    }
    if (state_.curveAvailable && state_.liveMode == "powa" && liveModes_ != nullptr) {
      liveModes_->LivePowerStep();
    }
    if (state_.liveMode == "conso" && liveModes_ != nullptr)
      liveModes_->ConsumptionStep();
  }
  if (diagnostics_ != nullptr)
    diagnostics_->DiagnosticStep();
}

void AnswerHandler::ReportMalformed(const std::string& line) {
  engine_.ReportUnexpected(state_.linkState, line);
}

void AnswerHandler::RetryAfterTimeout() {
  if (state_.captureMode) {
    SendCaptureRequest();
  } else if (state_.diagDisplayOn && diagnostics_ != nullptr) {
    diagnostics_->DiagnosticStep();
  }
}

}  // namespace kelvra::link
