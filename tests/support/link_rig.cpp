#include "support/link_rig.h"

#include <algorithm>

namespace kelvra::testing {

namespace {

bool Contains(const std::vector<std::string>& lines, std::string_view text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

}  // namespace

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
  return Contains(stateTrace.Lines(), text);
}

bool LinkRig::DataHas(std::string_view text) const {
  return Contains(dataTrace.Lines(), text);
}

}  // namespace kelvra::testing
