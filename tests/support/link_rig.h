#pragma once

#include <string>
#include <vector>

#include "form/manual_services.h"
#include "link/link_station.h"
#include "support/fake_serial_port.h"

namespace kelvra::testing {

// Records what the answer handling hands to the activities.
struct RecordingSinks : link::EngineSpeedSink,
                        link::DiagnosticsSink,
                        link::LiveModeSink,
                        link::LiveChartSink,
                        link::CaptureSink {
  void OnEngineSpeed(int rpm) override { engineSpeeds.push_back(rpm); }
  void DiagnosticStep() override { ++diagnosticSteps; }
  void LivePowerStep() override { ++livePowerSteps; }
  void ConsumptionStep() override { ++consumptionSteps; }
  void BoostAlert() override { ++boostAlerts; }
  void PerformanceSample(int speed) override { performance.push_back(speed); }
  void AddPoint(float value, int series) override { chart.push_back({value, series}); }
  void CapturedSpeed(int kmh) override { capturedSpeeds.push_back(kmh); }
  void CapturedEngineSpeed(int rpm) override { capturedRpms.push_back(rpm); }

  void AttachTo(link::AnswerHandler& handler) {
    handler.SetEngineSpeedSink(this);
    handler.SetDiagnosticsSink(this);
    handler.SetLiveModeSink(this);
    handler.SetLiveChartSink(this);
    handler.SetCaptureSink(this);
  }

  std::vector<int> engineSpeeds;
  int diagnosticSteps = 0;
  int livePowerSteps = 0;
  int consumptionSteps = 0;
  int boostAlerts = 0;
  std::vector<int> performance;
  std::vector<std::pair<float, int>> chart;
  std::vector<int> capturedSpeeds;
  std::vector<int> capturedRpms;
};

// The link station on two fake ports and a manual clock, its traces emptied of their first lines.
class LinkRig {
 public:
  LinkRig();

  // Connects an ELM327 on the component port and runs the sequence until online.
  void ConnectElmOnline();
  // Connects a mOByDic interface and answers its protocol request.
  void ConnectMobydicOnline();
  // One response arriving ("41 0C 0B B8\r\r>").
  void Answer(std::string_view bytes) { port.Feed(bytes); }

  std::vector<std::string> StateLines() const { return stateTrace.Lines(); }
  std::vector<std::string> DataLines() const { return dataTrace.Lines(); }
  bool StateHas(std::string_view text) const;
  bool DataHas(std::string_view text) const;

  form::ManualServices env;
  FakeSerialPort port;
  FakeSerialPort altPort;
  link::LinkStation station{env.services, port, altPort};
  RecordingSinks sinks;

  // Short names for what the tests touch most.
  form::Memo& stateTrace = station.stateTrace;
  form::Memo& dataTrace = station.dataTrace;
  form::StatusBar& statusBar = station.statusBar;
  form::CheckBox& altCom = station.altCom;
  form::CheckBox& debugAuto = station.debugAuto;
  form::Button& resetButton = station.resetButton;
  form::TabPage& diagTab = station.diagTab;
  form::Timer& toTimer = station.toTimer;
  form::Timer& tReset = station.tReset;
  form::Button& btRrpm = station.btRrpm;
  form::CheckBox& useSpeed = station.useSpeed;
  form::CheckBox& shiftAlert = station.shiftAlert;
  form::Edit& shiftRpm = station.shiftRpm;
  form::Edit& atmosphere = station.atmosphere;
  link::SharedState& state = station.state;
  link::DialogueLog& log = station.log;
  link::LinkEngine& engine = station.engine;
  link::AnswerHandler& handler = station.handler;
};

}  // namespace kelvra::testing
