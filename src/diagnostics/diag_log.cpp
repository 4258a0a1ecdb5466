#include "diagnostics/diag_log.h"

#include <filesystem>
#include <system_error>

#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"

namespace kelvra::diagnostics {

std::string DiagLogLine(DateTime now, std::string_view pidCode, std::string_view value) {
  std::string line = FormatGeneral(now);
  line += '<';
  line += pidCode;
  line += '>';
  line += value;
  line += "\r\n";
  return line;
}

std::string NextDiagLogFile(const std::string& folder) {
  for (int n = 1;; ++n) {
    const std::filesystem::path path =
        std::filesystem::path(folder) / ("logdiag" + std::to_string(n) + ".log");
    std::error_code error;
    if (!std::filesystem::exists(path, error))
      return path.string();
  }
}

DiagLog::~DiagLog() {
  Close();
}

void DiagLog::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr)
    throw FileError("Cannot create file \"" + path + "\"");
  path_ = path;
}

void DiagLog::Close() {
  if (file_ != nullptr)
    std::fclose(file_);
  file_ = nullptr;
}

void DiagLog::Write(DateTime now, std::string_view pidCode, std::string_view value) {
  if (file_ == nullptr)
    return;
  const std::string line = Utf8ToCp1252(DiagLogLine(now, pidCode, value));
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0)
    throw FileError("Unable to write to " + path_);
}

}  // namespace kelvra::diagnostics
