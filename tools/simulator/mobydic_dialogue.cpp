#include "simulator/mobydic_dialogue.h"

namespace kelvra::simulator {

namespace {

const std::string kRejected("\x02\x00", 2);
const std::string kAcknowledge("\x06", 1);

}  // namespace

std::string MobydicDataFrame(std::uint8_t pid, const std::vector<std::uint8_t>& data) {
  // ISO 9141-2 header of an engine computer's answer to a tester: priority, target, source.
  std::string body{'\x48', '\x6B', '\x10', '\x41', static_cast<char>(pid)};
  for (std::uint8_t byte : data)
    body += static_cast<char>(byte);
  unsigned checksum = 0;
  for (char c : body)
    checksum += static_cast<unsigned char>(c);
  body += static_cast<char>(checksum & 0xFF);
  return std::string{'\x02', static_cast<char>(body.size())} + body;
}

MobydicDialogue::MobydicDialogue(DialogueContext& context, const ResponderOptions& options)
    : context_(context), options_(options) {}

std::vector<std::string> MobydicDialogue::Feed(std::string_view bytes) {
  std::vector<std::string> answers;
  for (char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    switch (state_) {
      case State::Idle:
        ++context_.requests;
        if (byte == 0x05) {
          answers.push_back(std::string{'\x05', static_cast<char>(options_.protocolB2),
                                        static_cast<char>(options_.protocolB3)});
        } else if (byte == 0x02) {
          answers.push_back(kAcknowledge);
          state_ = State::AwaitMode;
        } else {
          answers.push_back(kRejected);
        }
        break;
      case State::AwaitMode:
        mode_ = byte;
        state_ = State::AwaitPid;
        break;
      case State::AwaitPid:
        ++context_.requests;
        answers.push_back(Answer(mode_, byte));
        state_ = State::Idle;
        break;
    }
  }
  return answers;
}

std::string MobydicDialogue::Answer(std::uint8_t mode, std::uint8_t pid) {
  if (context_.busReport) {
    context_.busReport.reset();
    return kRejected;
  }
  const auto data = mode == 0x01 ? context_.ecu.Mode01(pid) : std::nullopt;
  return data ? MobydicDataFrame(pid, *data) : kRejected;
}

}  // namespace kelvra::simulator
