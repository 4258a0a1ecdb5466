#pragma once

#include <memory>
#include <string>

#include "link/link_engine.h"
#include "simulator/pty_simulator.h"

namespace kelvra::app {

// The entry "Simulateur" of the port list: the simulated car, started inside the program on a
// pseudo-terminal when the user connects to it, so that Kelvra can be tried without a car.
class SimulatedCarEntry {
 public:
  static constexpr const char* kName = "Simulateur";

  // The device to open for a port list entry: the car's pty for "Simulateur" (started, or started
  // again for another interface kind), the entry itself otherwise.
  std::string Resolve(const std::string& entry, link::InterfaceKind kind);
  simulator::PtySimulator* Car() { return car_.get(); }

 private:
  std::unique_ptr<simulator::PtySimulator> car_;
  link::InterfaceKind kind_ = link::InterfaceKind::Elm327;
};

}  // namespace kelvra::app
