#pragma once

#include <string>
#include <vector>

namespace kelvra::test {

// A fresh program folder for one test: created empty, made the program's folder, removed after.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

bool FileExists(const std::string& path);
// The bytes of a file, "" when it is missing.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Lines split at CR LF.
std::vector<std::string> Lines(const std::string& bytes);
// Whether every line of before is still in after, in the same order.
bool KeepsAllLines(const std::string& before, const std::string& after);

}  // namespace kelvra::test
