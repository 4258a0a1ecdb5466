#include "support/link_rig.h"

#include "support/trace_search.h"

#include <algorithm>

namespace kelvra::testing {

LinkRig::LinkRig() {
  stateTrace.Clear();
  dataTrace.Clear();
  station.portList.SetItems({"/dev/ttyUSB0"});
  station.portList.SetItemIndex(0);
  sinks.AttachTo(handler);
}

void LinkRig::ConnectElmOnline() {
  engine.Connect(link::InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);
  env.clock.Advance(link::LinkEngine::kStartDelayMs);
  Answer("ATZ\r\r\rELM327 v1.5\r\r>");
  Answer("ate0\rOK\r\r>");
  env.clock.Advance(link::LinkEngine::kStartDelayMs);
  Answer("41 0C 0B B8\r\r>");
}

void LinkRig::ConnectMobydicOnline() {
  debugAuto.SetChecked(true);
  engine.Connect(link::InterfaceKind::Mobydic, false, "/dev/ttyUSB0", false);
  port.Feed(std::string("\x05\x00\x01", 3));
}

bool LinkRig::StateHas(std::string_view text) const {
  return TraceHas(stateTrace, text);
}

bool LinkRig::DataHas(std::string_view text) const {
  return TraceHas(dataTrace, text);
}

}  // namespace kelvra::testing
