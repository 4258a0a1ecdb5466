#include "acceleration/drag_race.h"

#include <gtest/gtest.h>

#include <regex>

#include "common/number_text.h"

namespace kelvra::acceleration {
namespace {

// A constant acceleration from `from` km/h, points every 20 km/h up to the top speed.
RaceEnvelope Constant(double accel, double from = 20, float top = 200, bool kmhs = false) {
  RaceEnvelope e;
  for (double x = from; x < top; x += 20)
    e.points.push_back({x, accel});
  e.topSpeed = top;
  e.kmhPerSecond = kmhs;
  return e;
}

// Steps to the end at 1000 m, gathering the result lines.
struct RaceRun {
  explicit RaceRun(DragRace& race) {
    while (!race.PastFinish() && steps < 100000) {
      RaceStepReport r = race.Step();
      ++steps;
      lines1.insert(lines1.end(), r.lines1.begin(), r.lines1.end());
      lines2.insert(lines2.end(), r.lines2.begin(), r.lines2.end());
      moved = moved || r.trackMoved;
    }
  }
  int steps = 0;
  std::vector<std::string> lines1;
  std::vector<std::string> lines2;
  bool moved = false;
};

double NumberIn(const std::string& line, const std::regex& pattern) {
  std::smatch m;
  if (!std::regex_match(line, m, pattern))
    return -1;
  return ParseReal(m[1].str());
}

TEST(DragRace, CarAloneGivesItsTimesAndEndsPastOneThousandMetres) {
  DragRace race;
  ASSERT_FALSE(race.Start(Constant(3), RaceEnvelope{}));
  EXPECT_FALSE(race.Car2Runs());
  EXPECT_FLOAT_EQ(race.StartSpeed(), 20 / 3.6f);
  const RaceRun run(race);
  EXPECT_GT(race.Car1().dist, 1000);
  EXPECT_LE(race.Car1().dist - race.Car1().speed * DragRace::kStep, 1000 + 1e-3);
  EXPECT_EQ(race.Car2().dist, 0);
  EXPECT_EQ(race.Car2().speed, 0);
  EXPECT_TRUE(run.lines2.empty());
  EXPECT_FALSE(run.moved);
  EXPECT_EQ(race.TrackOffset(), 4);
  ASSERT_EQ(run.lines1.size(), 3u);
  // 80 km/h of gain at 3 m/s² take 7,41 s.
  EXPECT_NEAR(NumberIn(run.lines1[0], std::regex(R"(20-100 : (\d+,\d+)s \d+m)")), 7.41, 0.011)
      << run.lines1[0];
  EXPECT_NEAR(NumberIn(run.lines1[1], std::regex(R"(80-120 : ([\d,]+)s)")), 40 / 3.6 / 3, 0.011)
      << run.lines1[1];
  EXPECT_TRUE(std::regex_match(run.lines1[2], std::regex(R"(400m de 20km/h : \d+,\d+s \d+km/h)")))
      << run.lines1[2];
}

TEST(DragRace, MemorisedCarRunsFromTheHigherStartAndTheGapCountsCars) {
  DragRace race;
  ASSERT_FALSE(race.Start(Constant(3), Constant(2, 40)));
  ASSERT_TRUE(race.Car2Runs());
  EXPECT_FLOAT_EQ(race.StartSpeed(), 40 / 3.6f);
  EXPECT_EQ(race.Car1().speed, race.Car2().speed);
  const RaceRun run(race);
  EXPECT_LT(race.Car2().dist, race.Car1().dist);
  EXPECT_EQ(run.lines2.size(), 3u);
  EXPECT_TRUE(run.lines2[0].starts_with("40-100 : ")) << run.lines2[0];
  const double gap = race.Car2().dist - race.Car1().dist;
  std::smatch m;
  const std::string text = race.GapText();
  ASSERT_TRUE(std::regex_match(text, m, std::regex(R"((-\d+)m (-?\d+)km/h (-\d+) bagnoles)")))
      << text;
  EXPECT_EQ(std::stoi(m[1].str()), static_cast<int>(gap));
  EXPECT_EQ(std::stoi(m[3].str()), static_cast<int>(gap / 4.2));
}

TEST(DragRace, EnvelopesInKilometresPerHourPerSecondAreTakenInMetresPerSecondSquared) {
  DragRace ms;
  ms.Start(Constant(3), Constant(3, 20, 200, true));
  for (int i = 0; i < 100; ++i)
    ms.Step();
  EXPECT_NEAR(ms.Car1().speed - 20 / 3.6, 3, 1e-3);
  EXPECT_NEAR(ms.Car2().speed - 20 / 3.6, 3 / 3.6, 1e-3);
}

TEST(DragRace, TopSpeedHoldsAndTheLastPointServesBeyondTheEnvelope) {
  DragRace race;
  RaceEnvelope slow = Constant(4, 20, 60);  // points up to 40 km/h, top speed 60
  race.Start(slow, RaceEnvelope{});
  for (int i = 0; i < 2000; ++i)
    race.Step();
  EXPECT_GE(race.Car1().speed * 3.6, 60);
  EXPECT_LT(race.Car1().speed * 3.6, 60 + 4 * 0.01 * 3.6 + 1e-3);
  EXPECT_EQ(race.Car1().point, 1);
}

TEST(DragRace, TrackViewMovesByOneThousandMetresWithCarOne) {
  DragRace race;
  race.Start(Constant(3), Constant(1));
  std::vector<int> offsets;
  for (int i = 0; i < 6000 && offsets.size() < 2; ++i) {
    if (race.Step().trackMoved)
      offsets.push_back(race.TrackOffset());
  }
  EXPECT_EQ(offsets, (std::vector<int>{1004, 2004}));
  EXPECT_GT(race.Car1().dist, 2004);
}

TEST(DragRace, CarAlreadyAtEightyHasItsMarkAtTheFirstStep) {
  DragRace race;
  race.Start(Constant(3, 90), RaceEnvelope{});
  race.Step();
  EXPECT_TRUE(race.Car1().passed80);
  EXPECT_FLOAT_EQ(race.Car1().t80, 0.01f);
}

TEST(DragRace, EmptyEnvelopeDoesNotRace) {
  DragRace race;
  EXPECT_EQ(race.Start(RaceEnvelope{}, Constant(3)), kNoEnvelopeMessage);
}

}  // namespace
}  // namespace kelvra::acceleration
