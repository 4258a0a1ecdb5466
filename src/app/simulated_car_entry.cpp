#include "app/simulated_car_entry.h"

namespace kelvra::app {

namespace {

simulator::InterfaceKind ToSimulator(link::InterfaceKind kind) {
  switch (kind) {
    case link::InterfaceKind::Elm323:
      return simulator::InterfaceKind::Elm323;
    case link::InterfaceKind::Elm327:
      return simulator::InterfaceKind::Elm327;
    case link::InterfaceKind::Mobydic:
      return simulator::InterfaceKind::Mobydic;
  }
  return simulator::InterfaceKind::Elm327;
}

}  // namespace

std::string SimulatedCarEntry::Resolve(const std::string& entry, link::InterfaceKind kind) {
  if (entry != kName)
    return entry;
  if (!car_ || kind != kind_) {
    car_.reset();
    simulator::PtyOptions options;
    options.responder.kind = ToSimulator(kind);
    car_ = std::make_unique<simulator::PtySimulator>(options);
    car_->Start();
    kind_ = kind;
  }
  return car_->Path();
}

}  // namespace kelvra::app
