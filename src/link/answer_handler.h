#pragma once

#include <string>

#include "form/services.h"
#include "link/answer_sinks.h"
#include "link/link_controls.h"
#include "link/link_engine.h"

namespace kelvra::link {

// Acts on every classified answer: the link's common steps and connection sequence, then the
// activities that are on, in a fixed order: gear speed capture, engine-speed polling, barometric
// reading, live diagnostics. Each activity sends its next request from here, so the polling pace
// is the interface's.
class AnswerHandler : public AnswerSink {
 public:
  AnswerHandler(SharedState& state, LinkEngine& engine, AnswerControls controls,
                form::Beeper& beeper);
  ~AnswerHandler() override;

  void HandleAnswer(const std::string& line, Token token) override;

  void SetEngineSpeedSink(EngineSpeedSink* sink) { engineSpeed_ = sink; }
  void SetDiagnosticsSink(DiagnosticsSink* sink) { diagnostics_ = sink; }
  void SetLiveModeSink(LiveModeSink* sink) { liveModes_ = sink; }
  void SetLiveChartSink(LiveChartSink* sink) { liveChart_ = sink; }
  void SetCaptureSink(CaptureSink* sink) { capture_ = sink; }

  // The request of the activity whose answer was lost, sent again.
  void RetryAfterTimeout();

 private:
  void CapturePolling(std::string& line);
  void SendCaptureRequest();
  // Returns false when the answer ends the whole handling.
  bool EngineSpeedPolling(std::string& line, Token token);
  void BarometricReading(const std::string& line);
  void Diagnostics(const std::string& line, Token token);
  // A data answer whose digits do not convert: traced as unexpected, and polling goes on.
  void ReportMalformed(const std::string& line);

  SharedState& state_;
  LinkEngine& engine_;
  AnswerControls controls_;
  form::Beeper& beeper_;
  EngineSpeedSink* engineSpeed_ = nullptr;
  DiagnosticsSink* diagnostics_ = nullptr;
  LiveModeSink* liveModes_ = nullptr;
  LiveChartSink* liveChart_ = nullptr;
  CaptureSink* capture_ = nullptr;
  bool zeroGearReported_ = false;
};

}  // namespace kelvra::link
