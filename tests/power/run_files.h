#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvra::power::test {

// Run files in a folder of their own, removed with it.
class RunFiles {
 public:
  RunFiles();
  ~RunFiles();
  RunFiles(const RunFiles&) = delete;
  RunFiles& operator=(const RunFiles&) = delete;

  // Writes the lines, each ended by CR LF, and gives the file's path.
  std::string Write(const std::vector<std::string>& lines);
  std::string Missing() const { return Path("absent.txt"); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
  int next_ = 0;
};

// "time;rpm" lines at a fixed rate, engine speeds given.
std::vector<std::string> RunLines(const std::vector<double>& rpms, double step = 0.1);

}  // namespace kelvra::power::test
