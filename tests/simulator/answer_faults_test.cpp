#include "simulator/answer_faults.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace kelvra::simulator {
namespace {

TEST(AnswerFaults, DropsOrGarblesOnlyTheAnswersAskedFor) {
  AnswerFaults faults(1);
  EXPECT_EQ(faults.Apply("OK\r\r>", true), "OK\r\r>");
  faults.DropNext();
  faults.DropNext();
  faults.GarbleNext();
  EXPECT_EQ(faults.Apply("a", true), std::nullopt);
  EXPECT_EQ(faults.Apply("b", true), std::nullopt);
  EXPECT_NE(faults.Apply("41 0C 0B B8 \r\r>", true), "41 0C 0B B8 \r\r>");
  EXPECT_EQ(faults.Apply("41 0C 0B B8 \r\r>", true), "41 0C 0B B8 \r\r>");
}

// Garbage in what the program reads, while it still frames the answer at the prompt.
TEST(AnswerFaults, GarbledTextKeepsLineEndsAndPrompt) {
  const std::string answers[] = {"41 0C 0B B8 \r\r>", "OK\r\r>", "010c\r41 0D 3E \r\r>", "?\r\r>"};
  for (const std::string& answer : answers) {
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
      std::mt19937 random(seed);
      const std::string garbled = GarbleText(answer, random);
      ASSERT_EQ(garbled.size(), answer.size());
      EXPECT_NE(garbled, answer);
      EXPECT_EQ(garbled.find('>'), answer.size() - 1);
      for (size_t i = 0; i < answer.size(); ++i) {
        if (answer[i] == '\r' || answer[i] == ' ' || answer[i] == '>' || garbled[i] == answer[i]) {
          EXPECT_EQ(garbled[i], answer[i]);
        } else {
          EXPECT_FALSE(std::isxdigit(static_cast<unsigned char>(garbled[i]))) << garbled;
        }
      }
    }
  }
}

TEST(AnswerFaults, GarbledFrameKeepsStartAndLength) {
  const std::string frame("\x02\x08\x48\x6B\x10\x41\x0C\x0B\xB8\xD3", 10);
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    std::mt19937 random(seed);
    const std::string garbled = GarbleBinary(frame, random);
    ASSERT_EQ(garbled.size(), frame.size());
    EXPECT_NE(garbled, frame);
    EXPECT_EQ(garbled.substr(0, 2), frame.substr(0, 2));
  }
  std::mt19937 random(3);
  EXPECT_NE(GarbleBinary("\x06", random), "\x06");
}

}  // namespace
}  // namespace kelvra::simulator
