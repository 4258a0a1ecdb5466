#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "simulator/answer_faults.h"
#include "simulator/obd_responder.h"
#include "simulator/pty_device.h"
#include "simulator/vehicle_model.h"
#include "simulator/wire_pacing.h"

namespace kelvra::simulator {

struct PtyOptions {
  ResponderOptions responder;
  CarDescription car = DefaultCar();
  // Time the interface takes before it starts an answer; 0 answers at once.
  std::chrono::milliseconds latency{30};
  // Answers leave at this line speed (10 bits a byte); 0 writes them at once.
  int baudRate = 38400;
  // When not empty, a symbolic link kept pointing at the current slave, across Resume().
  std::string linkPath;
};

struct SimulatorStatus {
  double rpm = 0;
  double speedKmh = 0;
  int gear = 0;  // 0 at rest
  std::uint64_t requests = 0;
  std::uint64_t answers = 0;
  bool lineUp = false;  // false between HangUp() and Resume()
  std::string path;
};

// The simulated car behind a pseudo-terminal. A background thread reads what the program writes
// to the slave end, advances the car model by the real time elapsed, lets the responder answer,
// waits the latency and writes each answer at the pace of the serial line. Every public method
// may be called from any thread.
class PtySimulator {
 public:
  explicit PtySimulator(PtyOptions options = {});  // throws kelvra::Error for an unusable car
  ~PtySimulator();
  PtySimulator(const PtySimulator&) = delete;
  PtySimulator& operator=(const PtySimulator&) = delete;

  // Creates the pseudo-terminal (and the link) and starts serving. Returns the path the program
  // should open: the link when one was asked for, otherwise the slave. Throws kelvra::Error.
  std::string Start();
  // Stops serving, closes the pseudo-terminal and removes the link. Also done by the destructor.
  void Stop();

  std::string Path() const;       // link or slave, as Start() returned it
  std::string SlavePath() const;  // the current /dev/pts/N

  // The car: a full-throttle pull (throws kelvra::Error, see VehicleModel::StartPull), or idle.
  void StartPull(int gear, double fromRpm);
  // A steady drive in a gear (throws kelvra::Error, see VehicleModel::HoldSpeed).
  void HoldSpeed(int gear, double kmh);
  void SetIdle();
  // A standing start with the gears shifted at the redline (see VehicleModel::StartStandingStart).
  void StartStandingStart();
  // The car model's own time from the standing start to a speed, once it got there.
  std::optional<double> SprintTimeTo(double kmh);

  // Faults for the next answers.
  void DropNextAnswer();
  void GarbleNextAnswer();
  void InjectBusReport(BusReport report);
  // Answers a PID with fixed data bytes from now on (e.g. to put 0x3E in a binary frame).
  void ForcePidData(int pid, DataBytes data);
  // Closes the pseudo-terminal: the program's next read or write on it sees the hang-up.
  void HangUp();
  // A new pseudo-terminal, the link pointed at it, the interface as after power-up. Returns the
  // path as Start() does. Throws kelvra::Error.
  std::string Resume();

  SimulatorStatus Status();
  std::uint64_t RequestsSeen() const;
  std::uint64_t AnswersSent() const { return answers_; }

 private:
  enum class Request { None, HangUp, Resume, Stop };

  void Serve();
  void Post(Request request);
  bool HandleRequest();  // false when the thread must end
  void OpenLine();
  void AdvanceModel();
  bool WaitUntil(SteadyTime deadline);
  void DrainWake();

  const PtyOptions options_;
  mutable std::mutex mutex_;
  std::condition_variable done_;
  VehicleModel model_;
  ObdResponder responder_;
  AnswerFaults faults_;
  SteadyTime lastAdvance_;
  PtyDevice pty_;  // used by the thread only while it runs
  std::string slavePath_;
  bool lineUp_ = false;
  Request request_ = Request::None;
  std::uint64_t posted_ = 0;
  std::uint64_t handled_ = 0;
  std::string requestError_;
  std::atomic<std::uint64_t> answers_{0};
  int wake_[2] = {-1, -1};  // a pipe that interrupts the thread's waits
  std::thread thread_;
};

}  // namespace kelvra::simulator
