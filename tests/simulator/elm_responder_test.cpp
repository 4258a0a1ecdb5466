#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "diagnostics/pid_table.h"
#include "link/response_classifier.h"
#include "simulator/obd_responder.h"

namespace kelvra::simulator {
namespace {

using link::Token;

class ElmResponderTest : public ::testing::Test {
 protected:
  ObdResponder& Quiet(InterfaceKind kind = InterfaceKind::Elm327) {
    responder_ = std::make_unique<ObdResponder>(model_, ResponderOptions{kind, false});
    responder_->Respond("ate0\r");
    return *responder_;
  }

  VehicleModel model_;
  std::unique_ptr<ObdResponder> responder_;
};

// The program's connection sequence, as the chip sees it after power-up.
TEST_F(ElmResponderTest, EchoesUntilEchoOffAndRepeatsOnALoneCr) {
  ObdResponder elm(model_, {});
  EXPECT_EQ(elm.Respond("atz\r"), "atz\r\r\rELM327 v1.5\r\r>");
  EXPECT_EQ(elm.Respond("ate0\r"), "ate0\rOK\r\r>");
  EXPECT_EQ(elm.Respond("010c\r"), "SEARCHING...\r41 0C 0B B8 \r\r>");
  EXPECT_EQ(elm.Respond("\r"), "41 0C 0B B8 \r\r>");
  EXPECT_EQ(elm.Respond("0105\r"), "41 05 82 \r\r>");
  EXPECT_EQ(elm.Respond("\r"), "41 05 82 \r\r>");
  EXPECT_EQ(elm.RequestCount(), 6u);
  // A reset brings echo and the protocol search back.
  EXPECT_EQ(elm.Respond("ATZ\r"), "\r\rELM327 v1.5\r\r>");
  EXPECT_EQ(elm.Respond("010C\r"), "010C\rSEARCHING...\r41 0C 0B B8 \r\r>");
}

TEST_F(ElmResponderTest, AnswersEachCommandLikeTheChip) {
  const struct {
    const char* sent;
    const char* answer;
  } cases[] = {
      {"010C\r", "41 0C 0B B8 \r\r>"},
      {"0 1 0 c\r", "41 0C 0B B8 \r\r>"},
      {"\n010c\r\n", "41 0C 0B B8 \r\r>"},
      {"010A\r", "NO DATA\r\r>"},  // not supported by this car
      {"012c\r", "NO DATA\r\r>"},
      {"0902\r", "NO DATA\r\r>"},
      {"0100\r", "41 00 1F BF 80 01 \r\r>"},  // 04-09, 0B-11, and more beyond 20
      {"0120\r", "41 20 00 02 00 00 \r\r>"},  // 2F
      {"010\r", "?\r\r>"},
      {"hello\r", "?\r\r>"},
      {"atq\r", "?\r\r>"},
      {"ati\r", "ELM327 v1.5\r\r>"},
      {"at fi\r", "BUS INIT: ...OK\r\r>"},
      {"atsp0\r", "OK\r\r>"},
      {"ate1\r", "OK\r\r>"},  // echo starts with the next command
  };
  for (const auto& c : cases)
    EXPECT_EQ(Quiet().Respond(c.sent), c.answer) << c.sent;
}

TEST_F(ElmResponderTest, LineFeedsAndSpacesFollowTheirSettings) {
  ObdResponder& elm = Quiet();
  EXPECT_EQ(elm.Respond("atl1\r"), "OK\r\n\r\n>");
  EXPECT_EQ(elm.Respond("ats0\r"), "OK\r\n\r\n>");
  EXPECT_EQ(elm.Respond("010c\r"), "410C0BB8\r\n\r\n>");
  EXPECT_EQ(elm.Respond("atd\r"), "OK\r\r>");
}

TEST_F(ElmResponderTest, CommandsMayArriveInPieces) {
  ObdResponder& elm = Quiet();
  EXPECT_TRUE(elm.Feed("01").empty());
  EXPECT_TRUE(elm.Feed("0").empty());
  const auto answers = elm.Feed("c\r0105\r01");
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0], "41 0C 0B B8 \r\r>");
  EXPECT_EQ(answers[1], "41 05 82 \r\r>");
  EXPECT_EQ(elm.Respond("0d\r"), "41 0D 00 \r\r>");
}

TEST_F(ElmResponderTest, Elm323IdentifiesItselfAndReportsItsBusInit) {
  ObdResponder elm(model_, {InterfaceKind::Elm323});
  EXPECT_EQ(elm.Respond("atz\r"), "atz\r\r\rELM323 v2.0\r\r>");
  EXPECT_EQ(elm.Respond("ate0\r"), "ate0\rOK\r\r>");
  EXPECT_EQ(elm.Respond("010c\r"), "BUS INIT: ...OK\r41 0C 0B B8 \r\r>");
  EXPECT_EQ(elm.Respond("ats0\r"), "?\r\r>");  // an ELM327 command
}

// Every kind of answer reads back as the program's classifier expects it.
TEST_F(ElmResponderTest, TheProgramRecognisesEveryAnswer) {
  const struct {
    const char* sent;
    std::optional<BusReport> fault;
    const char* line;
    Token token;
  } cases[] = {
      {"010c\r", std::nullopt, "410c0bb8", Token::Answ},
      {"010a\r", std::nullopt, "nodata", Token::NoData},
      {"zz\r", std::nullopt, "?", Token::Unkn},
      {"010c\r", BusReport::BusError, "buserror", Token::BusErr},
      {"010c\r", BusReport::BusInitError, "businiterror", Token::BusErr},
      {"010c\r", BusReport::CanError, "canerror", Token::Lv0Warn},
  };
  for (const auto& c : cases) {
    ObdResponder& elm = Quiet();
    if (c.fault)
      elm.InjectBusReport(*c.fault);
    const link::Classification result = link::ClassifyElm(elm.Respond(c.sent));
    EXPECT_EQ(result.line, c.line) << c.sent;
    EXPECT_EQ(result.token, c.token) << c.sent;
    // A bus report replaces one answer only.
    EXPECT_EQ(link::ClassifyElm(elm.Respond("010c\r")).token, Token::Answ);
  }
  ObdResponder elm(model_, {});
  EXPECT_EQ(link::ClassifyElm(elm.Respond("atz\r")).token, Token::Atz);
  EXPECT_EQ(link::ClassifyElm(elm.Respond("ate0\r")).token, Token::Ate0);
  ObdResponder elm323(model_, {InterfaceKind::Elm323});
  elm323.Respond("ate0\r");
  const auto first = link::ClassifyElm(elm323.Respond("010c\r"));
  EXPECT_EQ(first.token, Token::BusOk);
  EXPECT_EQ(first.line.substr(9, 4), "410c");  // where the program looks for it
}

// The program's own decoding gets the model's values back, to the resolution of each PID.
TEST_F(ElmResponderTest, EveryPidDecodesToTheModelsValue) {
  CarDescription car = DefaultCar();
  car.unsupportedPids.clear();
  VehicleModel model(car);
  ObdResponder elm(model, {InterfaceKind::Elm327, false});
  elm.Respond("ate0\r");
  model.StartPull(2, 2500);
  model.Advance(1.234);
  const EngineReadings r = model.Readings();
  const double expected[diagnostics::kPidCount] = {r.loadPercent,
                                                   r.coolantC,
                                                   r.shortTrimBank1Percent,
                                                   r.longTrimBank1Percent,
                                                   r.shortTrimBank2Percent,
                                                   r.longTrimBank2Percent,
                                                   r.fuelPressureKpa,
                                                   r.manifoldPressureKpa,
                                                   r.rpm,
                                                   r.speedKmh,
                                                   r.timingAdvanceDeg,
                                                   r.intakeAirC,
                                                   r.airFlowGramsPerS,
                                                   r.throttlePercent,
                                                   r.egrPercent,
                                                   r.fuelLevelPercent};
  for (int row = 0; row < diagnostics::kPidCount; ++row) {
    const diagnostics::PidRow& pid = diagnostics::PidTable()[row];
    const std::string answer = elm.Respond(std::string(pid.code) + "\r");
    diagnostics::ValueSlots slots{};
    ASSERT_EQ(diagnostics::DecodePidAnswer(link::ClassifyElm(answer).line, slots), row) << answer;
    // Half a step of rounding, and for the integer divisions of engine speed and timing advance
    // the truncation too.
    double tolerance = 0.5;
    switch (pid.rule) {
      case diagnostics::PidRule::Percent:
        tolerance = 0.5 * 100 / 255;
        break;
      case diagnostics::PidRule::FuelTrim:
        tolerance = 0.5 * 100 / 128;
        break;
      case diagnostics::PidRule::TimesThree:
        tolerance = 1.5;
        break;
      case diagnostics::PidRule::EngineSpeed:
      case diagnostics::PidRule::TimingAdvance:
        tolerance = 1;
        break;
      case diagnostics::PidRule::AirFlow:
        tolerance = 0.005;
        break;
      default:
        break;
    }
    EXPECT_NEAR(slots[row], expected[row], tolerance + 1e-6) << pid.code << " " << answer;
  }
  EXPECT_GT(r.rpm, 3000);  // the pull moved on: not the idle values
}

}  // namespace
}  // namespace kelvra::simulator
