#pragma once

namespace kelvra::link {

// The activities the answer handling feeds. Each is optional: one that is not attached is skipped.

// The run recorder: gauge, trace, thresholds, live plot and sample storage.
class EngineSpeedSink {
 public:
  virtual ~EngineSpeedSink() = default;
  virtual void OnEngineSpeed(int rpm) = 0;
};

// The live diagnostics: the next request of the rotation, display and log.
class DiagnosticsSink {
 public:
  virtual ~DiagnosticsSink() = default;
  virtual void DiagnosticStep() = 0;
};

// Live power, consumption, boost alert and performance timing.
class LiveModeSink {
 public:
  virtual ~LiveModeSink() = default;
  virtual void LivePowerStep() = 0;
  virtual void ConsumptionStep() = 0;
  virtual void BoostAlert() = 0;
  virtual void PerformanceSample(int speed) = 0;
};

// The live chart window: series 0 manifold pressure (kPa), series 1 engine speed (tr/mn).
class LiveChartSink {
 public:
  virtual ~LiveChartSink() = default;
  virtual void AddPoint(float value, int series) = 0;
};

// The gear speed capture dialog, which sees what the capture polling decodes.
class CaptureSink {
 public:
  virtual ~CaptureSink() = default;
  virtual void CapturedSpeed(int kmh) = 0;
  virtual void CapturedEngineSpeed(int rpm) = 0;
};

}  // namespace kelvra::link
