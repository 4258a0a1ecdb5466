#include <gtest/gtest.h>

#include "support/bytes.h"

#include <string>

#include "link/response_classifier.h"
#include "link/response_framer.h"

namespace kelvra::link {
namespace {

using testing::Bytes;

TEST(ElmClassifier, NormalisesAndPicksTheLastMatchingTest) {
  const struct {
    const char* raw;
    const char* line;
    Token token;
  } cases[] = {
      {"ATZ\r\r\rELM327 v1.5\r\r>", "atzelm327v15", Token::Atz},
      {"ELM323 v2.0\r\r>", "elm323v20", Token::Atz},
      {"\r\rELM327 v1.4b\r\r>", "elm327v14b", Token::Atz},
      {"41 0C 0B B8\r\r>", "410c0bb8", Token::Answ},
      {"41 0C 1A F8\r\r>", "410c1af8", Token::Answ},
      {"NO DATA\r\r>", "nodata", Token::NoData},
      {"?\r\r>", "?", Token::Unkn},
      {"BUS INIT: ...OK\r41 0C 0B B8\r\r>", "businitok410c0bb8", Token::BusOk},
      {"BUS INIT: ...ERROR\r\r>", "businiterror", Token::BusErr},
      {"BUS ERROR\r\r>", "buserror", Token::BusErr},
      {"CAN ERROR\r\r>", "canerror", Token::Lv0Warn},
      {"ATE0\rOK\r\r>", "ate0ok", Token::Ate0},
      {"ATFI\rOK\r\r>", "atfiok", Token::Atfi},
      {"SEARCHING...\r41 0C 0B B8\r\r>", "searchin410c0bb8", Token::Undef},
      {">", "", Token::Undef},
      {"\x01\xff garbage WXYZ>", "arbaez", Token::Undef},
  };
  for (const auto& c : cases) {
    const Classification result = ClassifyElm(c.raw);
    EXPECT_EQ(result.line, c.line) << c.raw;
    EXPECT_EQ(TokenText(result.token), TokenText(c.token)) << c.raw;
    EXPECT_FALSE(result.refused);
  }
}

TEST(MobydicClassifier, TokensAndProtocols) {
  const struct {
    std::string response;
    Token token;
    const char* stateLine;
  } cases[] = {
      {Bytes({0x06}), Token::MobyAck, nullptr},
      {Bytes({0x29, 0x01}), Token::MobyData, nullptr},
      {Bytes({0x02, 0x00}), Token::MobyFalseReq, nullptr},
      {"410c0bb8", Token::Undef, nullptr},
      {Bytes({0x05, 0x00, 0x01}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : ISO9141-2 08 08"},
      {Bytes({0x05, 0x00, 10}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : J1850 PWM"},
      {Bytes({0x05, 0x00, 80}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : CAN 11 ident 500 KB"},
      {Bytes({0x05, 0x02, 0x00}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : CAN 29 ident 500 KB"},
      {Bytes({0x05, 0x00, 0x10}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : réservé"},
      {Bytes({0x05, 0x03, 0x03}), Token::MobyProto,
       "Interface mOByDic, protocole détecté : réservé"},
      {Bytes({0x05, 0x00, 0x00}), Token::MobyNoProto,
       "Erreur interface mOByDic, aucun protocole détecté"},
  };
  for (const auto& c : cases) {
    const Classification result = ClassifyMobydic(c.response);
    EXPECT_EQ(TokenText(result.token), TokenText(c.token));
    EXPECT_EQ(result.line, c.response);
    if (c.stateLine == nullptr) {
      EXPECT_TRUE(result.stateLines.empty());
    } else {
      ASSERT_EQ(result.stateLines.size(), 1u);
      EXPECT_EQ(result.stateLines[0], c.stateLine);
    }
  }
}

TEST(MobydicClassifier, RefusesEmptyAndShortProtocolAnswers) {
  EXPECT_TRUE(ClassifyMobydic("").refused);
  EXPECT_TRUE(ClassifyMobydic(Bytes({0x05, 0x00})).refused);
}

class FramerTest : public ::testing::Test {
 protected:
  bool elmMode = false;
  FramingFlags flags;
  std::vector<std::string> completed;
  ResponseFramer framer{elmMode, flags, [this] { completed.push_back(framer.Take()); }};
};

TEST_F(FramerTest, DataFrameCompletesOnItsLastByteAsLowerCaseHex) {
  flags.expectData = true;
  const std::string frame = Bytes({0x02, 0x08, 0x48, 0x6B, 0x10, 0x41, 0x0C, 0x0B, 0xB8, 0x99});
  for (size_t i = 0; i + 1 < frame.size(); ++i)
    framer.Append(frame.substr(i, 1));
  EXPECT_TRUE(completed.empty());
  framer.Append(frame.substr(frame.size() - 1));
  EXPECT_EQ(completed, (std::vector<std::string>{"410c0bb8"}));

  framer.Append(Bytes({0x02, 0x06, 1, 2, 3, 0x80, 0xFF, 0x00}));
  framer.Append(Bytes({0x02, 0x04, 1, 2, 3, 0x00}));
  EXPECT_EQ(completed, (std::vector<std::string>{"410c0bb8", "80ff", ""}));
}

TEST_F(FramerTest, LengthByteOf0x80OrMoreNeverCompletes) {
  flags.expectData = true;
  framer.Append(Bytes({0x02, 0x80}));
  framer.Append(std::string(126, '\x01'));
  EXPECT_TRUE(completed.empty());
}

TEST_F(FramerTest, RejectedRequestAndProtocolAnswerCompleteWhateverTheFlags) {
  framer.Append(Bytes({0x02, 0x00}));
  framer.Append(Bytes({0x05, 0x00}));
  EXPECT_EQ(completed.size(), 1u);
  framer.Append(Bytes({0x01}));
  EXPECT_EQ(completed.size(), 2u);
  EXPECT_EQ(completed[1], Bytes({0x05, 0x00, 0x01}));
}

TEST_F(FramerTest, LoneAcknowledgeOnlyWhenExpected) {
  framer.Append(Bytes({0x06}));
  EXPECT_TRUE(completed.empty());
  EXPECT_EQ(framer.Buffer(), Bytes({0x06}));
  framer.Clear();
  flags.expectAck = true;
  framer.Append(Bytes({0x06}));
  EXPECT_EQ(completed, (std::vector<std::string>{Bytes({0x06})}));
}

TEST_F(FramerTest, ElmBytesWaitForThePrompt) {
  elmMode = true;
  framer.Append(Bytes({0x02, 0x00}));
  framer.Append("41 0C");
  EXPECT_TRUE(completed.empty());
}

// A line that floods bytes and never sends the prompt: the buffer keeps only the newest bytes, and
// the answer that finally ends with a prompt is whole.
TEST_F(FramerTest, FloodWithoutPromptKeepsOnlyTheNewestBytes) {
  for (bool elm : {true, false}) {
    elmMode = elm;
    framer.Clear();
    for (int i = 0; i < 1000; ++i)
      framer.Append(std::string(1000, 'A'));
    EXPECT_EQ(framer.Buffer().size(), ResponseFramer::kMaxBuffer);
    framer.Append("\r41 0C 0B B8\r\r>");
    EXPECT_EQ(framer.Buffer().size(), ResponseFramer::kMaxBuffer);
    EXPECT_TRUE(framer.Buffer().ends_with("\r41 0C 0B B8\r\r>"));
  }
}

}  // namespace
}  // namespace kelvra::link
