#pragma once

#include <map>
#include <optional>

#include "simulator/pid_encoding.h"
#include "simulator/vehicle_model.h"

namespace kelvra::simulator {

// The car's engine computer as a tester sees it through mode 01: the PIDs the car supports, their
// data bytes from the model's readings, and the "supported PIDs" bitmaps 00 and 20.
class EngineComputer {
 public:
  explicit EngineComputer(const VehicleModel& model) : model_(model) {}

  // The data bytes for a mode 01 PID, or nothing when the car does not answer it.
  std::optional<DataBytes> Mode01(int pid) const;

  // Answers a PID with fixed bytes from now on, supported or not: lets a test put a chosen byte,
  // such as 0x3E, in an answer.
  void Force(int pid, DataBytes data) { forced_[pid] = std::move(data); }
  void ClearForced() { forced_.clear(); }

 private:
  bool Supported(int pid) const;
  DataBytes Bitmap(int firstPid) const;

  const VehicleModel& model_;
  std::map<int, DataBytes> forced_;
};

}  // namespace kelvra::simulator
