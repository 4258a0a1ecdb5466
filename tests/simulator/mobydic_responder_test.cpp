#include <gtest/gtest.h>

#include "support/bytes.h"

#include <string>

#include "link/response_classifier.h"
#include "link/response_framer.h"
#include "simulator/mobydic_dialogue.h"
#include "simulator/obd_responder.h"

namespace kelvra::simulator {
namespace {

using kelvra::testing::Bytes;

class MobydicResponderTest : public ::testing::Test {
 protected:
  VehicleModel model_;
  ObdResponder responder_{model_, {InterfaceKind::Mobydic}};
};

TEST_F(MobydicResponderTest, AnswersProtocolRequestAndAcknowledge) {
  EXPECT_EQ(responder_.Respond(Bytes({0x05})), Bytes({0x05, 0x00, 0x01}));
  EXPECT_EQ(responder_.Respond(Bytes({0x02})), Bytes({0x06}));
  ObdResponder can29(model_, {InterfaceKind::Mobydic, true, 0x02, 0x00});
  const std::string protocol = can29.Respond(Bytes({0x05}));
  EXPECT_EQ(protocol, Bytes({0x05, 0x02, 0x00}));
  EXPECT_EQ(link::ClassifyMobydic(protocol).token, link::Token::MobyProto);
}

TEST_F(MobydicResponderTest, DataFrameCarriesTheAnswerBetweenHeaderAndChecksum) {
  responder_.Respond(Bytes({0x02}));
  const std::string frame = responder_.Respond(Bytes({0x01, 0x0C}));
  // 0x02, N = 8 bytes after it, header 48 6B 10, payload 41 0C 0B B8, checksum of the nine.
  EXPECT_EQ(frame, Bytes({0x02, 0x08, 0x48, 0x6B, 0x10, 0x41, 0x0C, 0x0B, 0xB8,
                          (0x48 + 0x6B + 0x10 + 0x41 + 0x0C + 0x0B + 0xB8) & 0xFF}));
  EXPECT_EQ(responder_.RequestCount(), 2u);
  // A one-byte PID makes a frame one byte shorter.
  EXPECT_EQ(MobydicDataFrame(0x0D, {0x3E}).size(), 9u);
  EXPECT_EQ(MobydicDataFrame(0x0D, {0x3E})[1], 7);
}

// The program's framing completes the frame exactly on its last byte and keeps only the payload,
// even when a data byte is the ELM prompt character.
TEST_F(MobydicResponderTest, TheProgramFramesEachAnswerOnItsLastByte) {
  responder_.Ecu().Force(0x0D, {0x3E});
  responder_.Ecu().Force(0x10, {0x3E, 0x3E});
  const struct {
    int pid;
    const char* line;
  } cases[] = {{0x0C, "410c0bb8"}, {0x05, "410582"}, {0x0D, "410d3e"}, {0x10, "41103e3e"}};
  for (const auto& c : cases) {
    EXPECT_EQ(responder_.Respond(Bytes({0x02})), Bytes({0x06}));
    const std::string frame = responder_.Respond(Bytes({0x01, c.pid}));
    const bool elmMode = false;
    const link::FramingFlags flags{false, true};
    std::string completed;
    link::ResponseFramer framer(elmMode, flags, [&] { completed = framer.Take(); });
    for (size_t i = 0; i < frame.size(); ++i) {
      EXPECT_TRUE(completed.empty()) << "complete after byte " << i;
      framer.Append(frame.substr(i, 1));
    }
    EXPECT_EQ(completed, c.line);
  }
}

TEST_F(MobydicResponderTest, RejectsWhatTheCarCannotAnswer) {
  const std::string rejected = Bytes({0x02, 0x00});
  const struct {
    std::string sent;
    std::string answer;
  } cases[] = {
      {Bytes({0x02, 0x01, 0x0A}), Bytes({0x06}) + rejected},  // not supported by this car
      {Bytes({0x02, 0x09, 0x02}), Bytes({0x06}) + rejected},  // another mode
      {Bytes({0x02, 0x01, 0x7F}), Bytes({0x06}) + rejected},  // unknown PID
      {Bytes({0x41}), rejected},                              // not a request
  };
  for (const auto& c : cases)
    EXPECT_EQ(responder_.Respond(c.sent), c.answer);
  EXPECT_EQ(link::ClassifyMobydic(rejected).token, link::Token::MobyFalseReq);
  // A bus fault rejects one request.
  responder_.InjectBusReport(BusReport::BusError);
  EXPECT_EQ(responder_.Respond(Bytes({0x02, 0x01, 0x0C})), Bytes({0x06}) + rejected);
  EXPECT_EQ(responder_.Respond(Bytes({0x02, 0x01, 0x0C})).size(), 11u);
}

}  // namespace
}  // namespace kelvra::simulator
