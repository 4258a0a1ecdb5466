#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "simulator/obd_responder.h"

namespace kelvra::simulator {

// The binary dialogue of the mOByDic interface:
//   0x05            → 0x05 B2 B3                    (protocol request and answer)
//   0x02            → 0x06                          (request, acknowledge)
//   mode, PID       → 0x02 N 48 6B 10 41 PID data… checksum
//                     N counts the bytes after itself, so the frame is N + 2 bytes long
//   anything refused → 0x02 0x00                    (rejected request)
class MobydicDialogue : public Dialogue {
 public:
  MobydicDialogue(DialogueContext& context, const ResponderOptions& options);

  std::vector<std::string> Feed(std::string_view bytes) override;
  void PowerUp() override { state_ = State::Idle; }

 private:
  enum class State { Idle, AwaitMode, AwaitPid };

  std::string Answer(std::uint8_t mode, std::uint8_t pid);

  DialogueContext& context_;
  const ResponderOptions& options_;
  State state_ = State::Idle;
  std::uint8_t mode_ = 0;
};

// A data frame carrying one mode 01 answer: start byte, length, ECU header, payload, checksum.
std::string MobydicDataFrame(std::uint8_t pid, const std::vector<std::uint8_t>& data);

}  // namespace kelvra::simulator
