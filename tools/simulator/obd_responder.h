#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/engine_computer.h"
#include "simulator/vehicle_model.h"

namespace kelvra::simulator {

enum class InterfaceKind { Elm327, Elm323, Mobydic };

// Bus faults an ELM chip reports instead of the answer to an OBD request.
enum class BusReport {
  BusError,      // "BUS ERROR"
  CanError,      // "CAN ERROR"
  BusInitError,  // "BUS INIT: ...ERROR"
};

struct ResponderOptions {
  InterfaceKind kind = InterfaceKind::Elm327;
  // After a reset, the first OBD request is preceded by the chip's report of its protocol search:
  // "SEARCHING..." from an ELM327, "BUS INIT: ...OK" from an ELM323.
  bool searchReport = true;
  // The protocol answer of the binary interface: 0x05, B2, B3 (00 01 is ISO9141-2 08 08).
  std::uint8_t protocolB2 = 0x00;
  std::uint8_t protocolB3 = 0x01;
};

// What the two dialogues share: the engine computer behind them, a bus fault waiting for the next
// OBD request, and the count of requests answered.
struct DialogueContext {
  EngineComputer& ecu;
  std::optional<BusReport> busReport;
  std::uint64_t requests = 0;
};

// One interface kind's side of the serial dialogue.
class Dialogue {
 public:
  virtual ~Dialogue() = default;
  // The answers to every request the bytes complete, one string per request.
  virtual std::vector<std::string> Feed(std::string_view bytes) = 0;
  // The state after power-up: what a reset command also restores.
  virtual void PowerUp() = 0;
};

// An OBD interface as the program sees it on the serial line, with the simulated car behind it.
// Pure: no input or output, no thread, no clock; whoever owns it advances the model.
class ObdResponder {
 public:
  ObdResponder(const VehicleModel& model, ResponderOptions options);
  ~ObdResponder();

  // The answers to the requests these bytes complete (bytes of an unfinished request are kept
  // for the next call), one string per request, in order.
  std::vector<std::string> Feed(std::string_view bytesFromHost);
  // The same answers, joined.
  std::string Respond(std::string_view bytesFromHost);

  // Back to the power-up state: echo on, protocol search pending, partial input dropped.
  void PowerUp();
  // The next OBD request gets this report instead of its answer (the binary interface rejects it).
  void InjectBusReport(BusReport report) { context_.busReport = report; }

  EngineComputer& Ecu() { return ecu_; }
  const ResponderOptions& Options() const { return options_; }
  // Requests answered since construction: command lines for an ELM chip; for the binary interface,
  // each protocol request, request byte and (mode, PID) pair.
  std::uint64_t RequestCount() const { return context_.requests; }

 private:
  ResponderOptions options_;
  EngineComputer ecu_;
  DialogueContext context_;
  std::unique_ptr<Dialogue> dialogue_;
};

}  // namespace kelvra::simulator
