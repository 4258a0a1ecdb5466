// Whatever vehicules.ini holds, the program loads what it can and a save loses nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_folder.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::vehicle {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using namespace std::string_literals;

constexpr std::size_t kMassField = 23;
static_assert(kTextKeys[kMassField].key == "masse");

struct DamagedCase {
  const char* name;
  std::string content;
};

// Long lines of noise, as a file that is not an INI file at all would have.
std::string Noise(std::size_t bytes) {
  std::string noise;
  for (std::size_t line = 0; noise.size() < bytes; ++line) {
    noise += std::to_string(line) + " ";
    noise.append(250, static_cast<char>('a' + line % 26));
    noise += " sans signe \xE9gal ni section\r\n";
  }
  return noise;
}

// Lines that are neither a key nor a section: in the list they must not become vehicles.
const std::string kGarbage =
    "pas une cl\xE9\r\n[sans fin\r\n]]\r\n;masse=1\r\n   \r\nmasse\r\n\x01\x02\x7F\r\n";
// Keys without a name, and bytes that no text encoding gives: NUL, bytes Windows-1252 leaves
// undefined, broken UTF-8.
const std::string kBadBytes =
    "=sans nom\r\n\t=\t\r\n\x81\x8D\x8F\x90\x9D\xFF\xC3\x28 \xE2\x82\x00\xA0\r\n"
    "\xE2\x82=\x00\xA0\r\n"s;
// Sections that open late in the file: an empty name and a second copy of a vehicle.
const std::string kLateSections = "[ ]\r\nmasse=2\r\n[]\r\n[A]\r\nmasse=3\r\n";

std::string File(const std::string& inList, const std::string& inSections) {
  return "[liste]\r\nA=A\r\n" + inList + "B=B\r\n[A]\r\n" + inSections + "masse=900\r\n" +
         inSections + "[B]\r\nmasse=1100\r\ndiesel=0\r\n" + kLateSections;
}

class DamagedFileTest : public ::testing::TestWithParam<DamagedCase> {
 protected:
  test::TempFolder folder;
  VehicleStore store;
};

TEST_P(DamagedFileTest, LoadsTheVehiclesAndASaveKeepsEveryLine) {
  WriteBytes(store.Path(), GetParam().content);
  EXPECT_EQ(store.ListVehicles(), (std::vector<std::string>{"A", "B"}));

  VehicleProfile a = VehicleProfile::Initial();
  store.LoadVehicle("A", a);
  EXPECT_EQ(a.texts[kMassField], "900");
  VehicleProfile b = VehicleProfile::Initial();
  store.LoadVehicle("B", b);
  EXPECT_EQ(b.texts[kMassField], "1100");
  EXPECT_FALSE(b.switches[kDieselSwitch]);

  VehicleProfile c = VehicleProfile::Initial();
  c.name = "C";
  c.texts[kMassField] = "1300";
  ASSERT_TRUE(store.SaveVehicle(c).done);
  a.name = "A";
  a.texts[0] = "4,2";
  ASSERT_TRUE(store.SaveVehicle(a).done);

  const std::string after = ReadBytes(store.Path());
  EXPECT_TRUE(test::KeepsAllLines(GetParam().content, after));
  EXPECT_EQ(store.ListVehicles(), (std::vector<std::string>{"A", "B", "C"}));
  VehicleProfile reread = VehicleProfile::Initial();
  store.LoadVehicle("C", reread);
  EXPECT_EQ(reread.texts[kMassField], "1300");
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFileTest,
    ::testing::Values(DamagedCase{"GarbageLines", File(kGarbage, kGarbage)},
                      DamagedCase{"BytesThatAreNotText", File(kGarbage, kBadBytes)},
                      DamagedCase{"TenMegabytes", File(Noise(1000), Noise(5 << 20))}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kelvra::vehicle
