#include "common/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace kelvra {
namespace {

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* value = std::getenv("KELVRA_DATA_DIR");
    if (value)
      saved_ = value;
    unsetenv("KELVRA_DATA_DIR");
    SetProgramFolder("");
  }
  void TearDown() override {
    if (saved_) {
      setenv("KELVRA_DATA_DIR", saved_->c_str(), 1);
    } else {
      unsetenv("KELVRA_DATA_DIR");
    }
    SetProgramFolder("");
  }
  std::optional<std::string> saved_;
};

TEST_F(ProgramFolderTest, DefaultsToTheExecutableFolder) {
  EXPECT_EQ(ProgramFolder(), std::filesystem::read_symlink("/proc/self/exe").parent_path());
  setenv("KELVRA_DATA_DIR", "", 1);  // empty means unset
  EXPECT_EQ(ProgramFolder(), std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

TEST_F(ProgramFolderTest, EnvironmentThenPinnedFolder) {
  setenv("KELVRA_DATA_DIR", "/srv/kelvra", 1);
  EXPECT_EQ(ProgramFolder(), "/srv/kelvra");
  SetProgramFolder("/home/user/banc");
  EXPECT_EQ(ProgramFolder(), "/home/user/banc");
  SetProgramFolder("");
  EXPECT_EQ(ProgramFolder(), "/srv/kelvra");
}

TEST_F(ProgramFolderTest, ProgramFileJoinsWithOneSlash) {
  SetProgramFolder("/data");
  EXPECT_EQ(ProgramFile("vehicules.ini"), "/data/vehicules.ini");
  SetProgramFolder("/data/");
  EXPECT_EQ(ProgramFile("vehicules.ini"), "/data/vehicules.ini");
}

}  // namespace
}  // namespace kelvra
