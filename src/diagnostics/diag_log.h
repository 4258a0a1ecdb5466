#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "common/date_time.h"

namespace kelvra::diagnostics {

// One line of the diagnostic log: the date-time serial, "<", the PID code, ">", the value text,
// CR LF. "40155,6314220139<010C>2500\r\n".
std::string DiagLogLine(DateTime now, std::string_view pidCode, std::string_view value);

// The first free name logdiag1.log, logdiag2.log, ... in the folder, as a full path.
std::string NextDiagLogFile(const std::string& folder);

// The diagnostic log file. Each line goes to the disk as it is written, so a crash loses at most
// the line being written.
class DiagLog {
 public:
  DiagLog() = default;
  ~DiagLog();
  DiagLog(const DiagLog&) = delete;
  DiagLog& operator=(const DiagLog&) = delete;

  // Creates (or truncates) the file; throws FileError when it cannot be created.
  void Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  // Appends one line (Windows-1252) and flushes it; throws FileError when it cannot be written.
  void Write(DateTime now, std::string_view pidCode, std::string_view value);

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
};

}  // namespace kelvra::diagnostics
