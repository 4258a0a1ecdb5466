#include <gtest/gtest.h>

#include <cstdio>

#include "diagnostics/performance_timing.h"
#include "diagnostics_rig.h"

namespace kelvra::testing {
namespace {

constexpr double kSecondsPerDay = 86400;

std::string SpeedAnswer(int kmh) {
  char text[16];
  std::snprintf(text, sizeof text, "41 0D %02X", kmh);
  return text;
}

// The mode "perfs" started with the clock at `startSeconds`.
class PerformanceRig : public DiagnosticsRig {
 public:
  explicit PerformanceRig(double startSeconds = 0) {
    link.env.clock.SetNow(45000 + startSeconds / kSecondsPerDay);
  }
  void Start() { Click(perf.toggle); }
  // A speed answer at the given second since the clock's start.
  void SpeedAt(double seconds, int kmh) {
    link.env.clock.SetNow(45000 + seconds / kSecondsPerDay);
    Answer(SpeedAnswer(kmh));
  }
};

TEST(PerformanceTiming, TimeText) {
  EXPECT_EQ(diagnostics::PerformanceTimeText(7.045 / kSecondsPerDay), "7,045s");
  EXPECT_EQ(diagnostics::PerformanceTimeText(65.5 / kSecondsPerDay), "65,500s");
  EXPECT_EQ(diagnostics::PerformanceTimeText(0), "0,000s");
}

struct ZeroTo100Case {
  const char* name;
  int lastKmh;
  const char* time;
};

class ZeroTo100 : public ::testing::TestWithParam<ZeroTo100Case> {};

// Samples every 0,4 s from 0 km/h at 10 s to 97 km/h at 17,6 s, then the last at 18 s.
TEST_P(ZeroTo100, StartAndEndHalfwayBetweenSamples) {
  PerformanceRig rig(9);
  rig.Start();
  rig.SpeedAt(10.0, 0);
  for (int i = 1; i <= 19; ++i)
    rig.SpeedAt(10.0 + 0.4 * i, i == 19 ? 97 : 4 + (i - 1) * 5);
  EXPECT_TRUE(rig.diag.live.timing.Running());
  rig.SpeedAt(18.0, GetParam().lastKmh);
  EXPECT_EQ(rig.perf.time.Caption(), GetParam().time);
  EXPECT_EQ(rig.perf.speed.Caption(), "100km/h");
  EXPECT_EQ(rig.state.liveMode, "null");
  EXPECT_EQ(rig.perf.toggle.Caption(), "Démarrer");
  EXPECT_FALSE(rig.state.diagDisplayOn);
  EXPECT_EQ(rig.link.env.beeper.beeps, 2);  // start and end
  // The answer that ended the test asks for nothing more.
  EXPECT_EQ(rig.Requests().size(), 21u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZeroTo100,
                         ::testing::Values(ZeroTo100Case{"Above", 103, "7,600s"},
                                           ZeroTo100Case{"Exactly", 100, "7,800s"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PerformanceTiming, FourHundredMetresFromTheMeanSpeedOfEachInterval) {
  PerformanceRig rig;
  rig.perf.metres400.SetChecked(true);
  rig.Start();
  rig.SpeedAt(1.0, 0);
  rig.SpeedAt(1.5, 36);  // starts; the next interval covers 0,5 s × 15 m/s = 7,5 m
  double t = 1.5;
  int samples = 0;
  while (rig.state.liveMode == "perfs" && samples < 100) {
    t += 0.5;
    rig.SpeedAt(t, 72);  // 10 m per interval
    ++samples;
  }
  EXPECT_EQ(samples, 41);  // 7,5 + 39 × 10 < 400 ≤ 7,5 + 40 × 10
  EXPECT_FLOAT_EQ(rig.diag.live.timing.Distance(), 407.5f);
  // From halfway before the start to halfway before the last sample: 20,5 s.
  EXPECT_EQ(rig.perf.time.Caption(), "20,500s");
  EXPECT_EQ(rig.perf.speed.Caption(), "72km/h");
}

TEST(PerformanceTiming, AMovingCarMustDropBelowTheStartSpeedFirst) {
  PerformanceRig rig;
  rig.perf.fromTo.SetChecked(true);  // 80 to 120
  rig.Start();
  rig.SpeedAt(1.0, 85);  // first sample, already rolling above 80: cannot start
  rig.SpeedAt(1.5, 90);
  EXPECT_FALSE(rig.diag.live.timing.Running());
  rig.SpeedAt(2.0, 70);
  rig.SpeedAt(2.5, 85);
  EXPECT_TRUE(rig.diag.live.timing.Running());
  EXPECT_DOUBLE_EQ((rig.diag.live.timing.Start() + rig.diag.live.timing.Before()) * 0.5,
                   45000 + 2.25 / kSecondsPerDay);
}

TEST(PerformanceTiming, StoppingDuringATestAbandonsIt) {
  PerformanceRig rig;
  rig.Start();
  rig.SpeedAt(1.0, 0);
  rig.SpeedAt(1.5, 10);
  EXPECT_TRUE(rig.diag.live.timing.Running());
  rig.Start();  // "Stopper"
  EXPECT_FALSE(rig.diag.live.timing.Running());
  rig.Start();
  rig.SpeedAt(5.0, 60);  // a fresh start is needed: nothing ends here
  rig.SpeedAt(5.5, 110);
  EXPECT_EQ(rig.perf.time.Caption(), "0s");
  EXPECT_EQ(rig.state.liveMode, "perfs");
}

TEST(PerformanceTiming, ASettingThatIsNotANumberKeepsThePolling) {
  PerformanceRig rig;
  rig.perf.fromTo.SetChecked(true);
  rig.perf.fromSpeed.SetText("vite");
  rig.Start();
  rig.SpeedAt(1.0, 0);
  rig.SpeedAt(1.5, 10);
  EXPECT_EQ(rig.Requests().size(), 3u);
  EXPECT_EQ(rig.dialogs.errors.size(), 1u);
}

TEST(AccelerationReadout, FromTheSpeedEachSecondWithItsMaximum) {
  DiagnosticsRig rig;
  rig.ToggleRows({9});
  EXPECT_TRUE(rig.diag.accTimer.Running());
  rig.Click(rig.visualise);
  rig.Answer("41 0D 32");  // 50 km/h
  rig.link.env.clock.Advance(1000);
  EXPECT_EQ(rig.perf.acceleration.Caption(), "0m/s²");  // the first tick only takes the sample
  rig.Answer("41 0D 3C");                               // 60 km/h one second later
  rig.link.env.clock.Advance(1000);
  const std::string first = rig.perf.acceleration.Caption();
  EXPECT_EQ(first.substr(0, 5), "2,777") << first;
  EXPECT_NEAR(rig.diag.live.acceleration.Max(), 2.7778, 1e-3);
  EXPECT_EQ(rig.perf.maxAcceleration.Caption(), first);
  rig.Answer("41 0D 45");  // 69 km/h: 2,5 m/s²
  rig.link.env.clock.Advance(1000);
  EXPECT_EQ(rig.perf.acceleration.Caption(), "2,5m/s²");
  EXPECT_EQ(rig.perf.maxAcceleration.Caption(), first);
  rig.Click(rig.perf.resetMax);
  EXPECT_EQ(rig.perf.maxAcceleration.Caption(), "0m/s²");
  EXPECT_EQ(rig.state.lastSpeed, -1);
}

}  // namespace
}  // namespace kelvra::testing
