#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace kelvra::simulator {

// Line faults put on the next answers, for testing how the program copes: an answer lost
// entirely, or an answer garbled on the way.
class AnswerFaults {
 public:
  explicit AnswerFaults(std::uint32_t seed = std::random_device{}()) : random_(seed) {}

  // Each call adds one answer to lose (or garble); losing wins when both are pending.
  void DropNext() { ++drops_; }
  void GarbleNext() { ++garbles_; }

  // The answer as it reaches the line; nothing when it is lost.
  std::optional<std::string> Apply(std::string answer, bool textInterface);

 private:
  int drops_ = 0;
  int garbles_ = 0;
  std::mt19937 random_;
};

// Replaces some of the characters the program reads in an ELM answer (not the blanks, line ends
// or final prompt) with characters that are not hexadecimal digits: same length, still framed.
std::string GarbleText(std::string answer, std::mt19937& random);
// Replaces some bytes of a binary answer with other values; a data frame keeps its start byte and
// its length, so the program still frames it.
std::string GarbleBinary(std::string answer, std::mt19937& random);

}  // namespace kelvra::simulator
