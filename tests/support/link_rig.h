#pragma once

#include <string>
#include <vector>

#include "form/manual_services.h"
#include "form/window.h"
#include "link/answer_handler.h"
#include "link/dialogue_log.h"
#include "link/link_engine.h"
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

// The link on a headless window holding the controls it uses, two fake ports and a manual clock.
class LinkRig {
 public:
  LinkRig();

  // Connects an ELM327 on the component port and runs the sequence until online.
  void ConnectElmOnline();
  // Connects a mOByDic interface and answers its protocol request.
  void ConnectMobydicOnline();
  // One ELM response arriving ("41 0C 0B B8\r\r>").
  void Answer(std::string_view bytes) { port.Feed(bytes); }

  std::vector<std::string> StateLines() const { return stateTrace.Lines(); }
  std::vector<std::string> DataLines() const { return dataTrace.Lines(); }
  bool StateHas(std::string_view text) const;
  bool DataHas(std::string_view text) const;

  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 855, 538};
  form::Memo& stateTrace;
  form::Memo& dataTrace;
  form::StatusBar& statusBar;
  form::ComboBox& portList;
  form::CheckBox& altCom;
  form::CheckBox& debugAuto;
  form::Button& resetButton;
  form::PageControl& pages;
  form::TabPage& diagTab;
  form::Timer& toTimer;
  form::Timer& tReset;
  form::Timer& tInitrpm;
  form::Button& btRrpm;
  form::Button& btWrpm;
  form::CheckBox& forceConn;
  form::CheckBox& useSpeed;
  form::CheckBox& shiftAlert;
  form::Edit& shiftRpm;
  form::Edit& atmosphere;

  link::SharedState state;
  FakeSerialPort port;
  FakeSerialPort altPort;
  link::DialogueLog log;
  link::LinkEngine engine;
  link::AnswerHandler handler;
  RecordingSinks sinks;
};

}  // namespace kelvra::testing
