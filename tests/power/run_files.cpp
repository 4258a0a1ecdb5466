#include "run_files.h"

#include <fstream>
#include <random>

#include "common/number_text.h"

namespace kelvra::power::test {

RunFiles::RunFiles() {
  std::random_device random;
  folder_ = std::filesystem::temp_directory_path() /
            ("kelvra-power-" + std::to_string(random()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(folder_);
}

RunFiles::~RunFiles() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string RunFiles::Write(const std::vector<std::string>& lines) {
  const std::filesystem::path path = folder_ / ("run" + std::to_string(next_++) + ".txt");
  std::ofstream out(path, std::ios::binary);
  for (const std::string& line : lines)
    out << line << "\r\n";
  return path.string();
}

std::vector<std::string> RunLines(const std::vector<double>& rpms, double step) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < rpms.size(); ++i)
    lines.push_back(FormatGeneral(static_cast<double>(i) * step) + ";" + FormatGeneral(rpms[i]));
  return lines;
}

}  // namespace kelvra::power::test
