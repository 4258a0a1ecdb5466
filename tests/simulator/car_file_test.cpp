#include "simulator/car_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/errors.h"

namespace kelvra::simulator {
namespace {

namespace fs = std::filesystem;

class CarFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kelvra-car-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "voiture.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

  fs::path dir_;
  std::string path_;
};

TEST_F(CarFileTest, ReadsEveryKeyWithCommaOrPoint) {
  Write(
      "[voiture]\r\n"
      "nom=Coup\xe9 test\r\n"  // Windows-1252, like vehicules.ini
      "couple=800:90 ; 3000:150,5; 6000.5:120\r\n"
      "ralenti=800\r\n"
      "zone_rouge=6000\r\n"
      "rapport1=8,5\r\nrapport2=14.5\r\nrapport3=21\r\n"
      "masse=1050,5\r\nscx=0.6\r\ncrr=0,011\r\ndensite_air=1,18\r\npertes=9\r\n"
      "rayon_roue=0,3\r\ninertie_roues=2,9\r\ninertie_moteur=0.2\r\ncylindree=1598\r\n"
      "essence=40\r\npid_absents=0108, 09 012C\r\n");
  const CarDescription car = LoadCarFile(path_);
  EXPECT_EQ(car.name, "Coupé test");
  ASSERT_EQ(car.torqueCurve.size(), 3u);
  EXPECT_EQ(car.torqueCurve[1].rpm, 3000);
  EXPECT_EQ(car.torqueCurve[1].torqueNm, 150.5);
  EXPECT_EQ(car.torqueCurve[2].rpm, 6000.5);
  EXPECT_EQ(car.idleRpm, 800);
  EXPECT_EQ(car.redlineRpm, 6000);
  EXPECT_EQ(car.gearSpeedsPer1000, (std::vector<double>{8.5, 14.5, 21}));
  EXPECT_EQ(car.massKg, 1050.5);
  EXPECT_EQ(car.dragAreaM2, 0.6);
  EXPECT_EQ(car.rollingCoefficient, 0.011);
  EXPECT_EQ(car.airDensity, 1.18);
  EXPECT_EQ(car.transmissionLossPercent, 9);
  EXPECT_EQ(car.wheelRadiusM, 0.3);
  EXPECT_EQ(car.wheelsInertia, 2.9);
  EXPECT_EQ(car.engineInertia, 0.2);
  EXPECT_EQ(car.displacementCm3, 1598);
  EXPECT_EQ(car.fuelLevelPercent, 40);
  EXPECT_EQ(car.unsupportedPids, (std::set<int>{0x08, 0x09, 0x2C}));
}

TEST_F(CarFileTest, KeysLeftOutKeepTheDefaultCar) {
  Write("[voiture]\nmasse=1500\npid_absents=\n");
  CarDescription expected = DefaultCar();
  expected.massKg = 1500;
  expected.unsupportedPids.clear();
  const CarDescription car = LoadCarFile(path_);
  EXPECT_EQ(car.massKg, 1500);
  EXPECT_EQ(car.unsupportedPids, expected.unsupportedPids);
  EXPECT_EQ(car.gearSpeedsPer1000, expected.gearSpeedsPer1000);
  EXPECT_EQ(car.torqueCurve.size(), expected.torqueCurve.size());
  EXPECT_EQ(car.redlineRpm, expected.redlineRpm);
}

TEST_F(CarFileTest, RefusesWhatItCannotUse) {
  EXPECT_THROW(LoadCarFile((dir_ / "absent.ini").string()), FileError);
  const struct {
    const char* body;
    const char* message;  // part of what the user reads
  } cases[] = {
      {"masse=lourde", "masse"},
      {"couple=1000-100;5000:140", "couple"},
      {"couple=1000:100", "deux points"},
      {"couple=3000:100;2000:140", "croître"},
      {"rapport1=7\nrapport2=0", "rapport"},
      {"ralenti=7000", "ralenti"},
      {"pertes=100", "pertes"},
      {"pid_absents=0A 1", "pid_absents"},
  };
  for (const auto& c : cases) {
    Write(std::string("[voiture]\n") + c.body + "\n");
    try {
      LoadCarFile(path_);
      ADD_FAILURE() << c.body << " accepted";
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace kelvra::simulator
