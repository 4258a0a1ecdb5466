#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "common/program_folder.h"

namespace kelvra::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvra-vehicle-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  SetProgramFolder(path_);
}

TempFolder::~TempFolder() {
  SetProgramFolder("");
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool FileExists(const std::string& path) {
  return std::filesystem::exists(path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out)
    throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool KeepsAllLines(const std::string& before, const std::string& after) {
  const std::vector<std::string> old = Lines(before);
  const std::vector<std::string> now = Lines(after);
  std::size_t next = 0;
  for (const std::string& line : now) {
    if (next < old.size() && line == old[next])
      ++next;
  }
  return next == old.size();
}

}  // namespace kelvra::test
