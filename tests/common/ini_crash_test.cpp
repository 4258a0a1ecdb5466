#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "common/ini_file.h"

namespace kelvra {
namespace {

// A process killed at random moments while it saves the file again and again: the file on disk
// is always one whole generation, never a mix or a cut.
TEST(IniFileCrash, KilledInTheMiddleOfASaveLeavesTheOldOrTheNewFile) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelvra-ini-crash-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "vehicules.ini").string();
  constexpr int kSections = 60;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> delayUs(0, 20000);
  int kills = 0;
  for (int round = 0; round < 25; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::execl(KELVRA_INI_SAVE_LOOP, KELVRA_INI_SAVE_LOOP, path.c_str(),
              std::to_string(kSections).c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Until its first save is on disk (the first round starts without a file), then a while.
    for (int i = 0; i < 2000 && !std::filesystem::exists(path); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended on its own: " << status;
    ++kills;

    IniFile ini(path);
    const std::vector<std::string> sections = ini.Sections();
    ASSERT_EQ(sections.size(), static_cast<std::size_t>(kSections)) << "round " << round;
    const std::string generation = ini.ReadString(sections.front(), "generation", "");
    ASSERT_FALSE(generation.empty());
    for (const std::string& section : sections) {
      ASSERT_EQ(ini.ReadString(section, "generation", ""), generation) << section;
      ASSERT_EQ(ini.ReadString(section, "commentaire", "").size(), 200u) << section;
    }
  }
  EXPECT_EQ(kills, 25);
  // A save cut short leaves its temporary file behind (the real file is untouched).
  int cut = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    cut += entry.path().filename() != "vehicules.ini";
  std::printf("%d of %d kills landed in the middle of a save\n", cut, kills);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kelvra
