#include "acquisition/run_file.h"

#include <fstream>

#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"

namespace kelvra::acquisition {

std::string RunLine(const RunSample& sample, float t0) {
  const double offset = static_cast<double>(sample.time) - static_cast<double>(t0);
  return FormatGeneral(offset) + ";" + FormatGeneral(sample.rpm);
}

std::vector<std::string> RunLines(const RunBuffer& buffer, float t0, float t1) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < buffer.count; ++i) {
    const RunSample& sample = buffer.samples[i];
    if (t0 <= sample.time && sample.time <= t1)
      lines.push_back(RunLine(sample, t0));
  }
  return lines;
}

std::ofstream CreateRunFile(const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open())
    throw FileError("Cannot create file " + path);
  return out;
}

void WriteRunLines(std::ofstream& out, const std::vector<std::string>& lines,
                   const std::string& path) {
  for (const std::string& line : lines)
    out << Utf8ToCp1252(line) << "\r\n";
  out.close();
  if (!out)
    throw FileError("Unable to write to " + path);
}

void WriteRunFile(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out = CreateRunFile(path);
  WriteRunLines(out, lines, path);
}

}  // namespace kelvra::acquisition
