#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "simulator/pty_device.h"

namespace kelvra::testing {

// A serial line the test controls byte by byte, on a pseudo-terminal: an ELM327 that answers the
// connection sequence and engine-speed or vehicle-speed requests, and the faults a real line
// shows, switched on while it runs: bytes garbled at random, answers sent one byte at a time with
// gaps, bytes flooding in without a prompt, a wrong line speed.
class ScriptedLine {
 public:
  enum class Mode { Answer, Garble, WrongBaud };

  ScriptedLine();
  ~ScriptedLine();
  ScriptedLine(const ScriptedLine&) = delete;
  ScriptedLine& operator=(const ScriptedLine&) = delete;

  // Opens the pty and starts answering; returns the slave's path.
  std::string Start();

  std::atomic<Mode> mode{Mode::Answer};
  // Share of answer bytes replaced by a random byte in Mode::Garble, in thousandths.
  std::atomic<int> garblePerMille{150};
  // Pause before each byte of an answer; 0 writes an answer at once.
  std::atomic<int> byteGapMs{0};

  // Bytes the line sends as soon as it can, without waiting for a request.
  void Inject(const std::string& bytes);

  std::uint64_t Requests() const { return requests_; }
  std::uint64_t Answers() const { return answers_; }

 private:
  void Serve();
  std::string AnswerTo(const std::string& command);
  std::string Faulty(std::string answer);
  void WriteAll(const std::string& bytes);

  simulator::PtyDevice pty_;
  std::mutex writeMutex_;
  std::mutex injectMutex_;
  std::string injected_;
  std::mt19937 random_{12345};
  std::string lastCommand_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> requests_{0};
  std::atomic<std::uint64_t> answers_{0};
  std::thread thread_;
};

}  // namespace kelvra::testing
