#include "power/run_text_loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"

namespace kelvra::power {

std::optional<std::vector<std::string>> ReadRunFile(const std::string& path) {
  // A device or a pipe (a serial port typed in the path) would block the reading forever.
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error))
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::string> lines;
  std::string line;
  // A final line end adds no empty line, as a text list reads a file.
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
        ++i;
      lines.push_back(Cp1252ToUtf8(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty())
    lines.push_back(Cp1252ToUtf8(line));
  return lines;
}

void LoadRunText(const std::vector<std::string>& runText, PowerSampleTable& table) {
  table.assign(runText.size(), PowerSample{});
  for (std::size_t i = 0; i < runText.size(); ++i) {
    const std::string& line = runText[i];
    const std::size_t separator = line.find(';');
    if (separator == std::string::npos)
      throw ConversionError("'" + line + "' is not a valid floating point value");
    table[i].time = static_cast<float>(ParseReal(std::string_view(line).substr(0, separator)));
    table[i].rpm = static_cast<float>(ParseReal(std::string_view(line).substr(separator + 1)));
  }
  for (std::size_t i = 1; i + 1 < table.size(); ++i) {
    const double span = static_cast<double>(table[i + 1].time) - table[i - 1].time;
    if (span == 0)
      throw DivisionByZeroError();
    table[i].rpmRate =
        static_cast<float>((static_cast<double>(table[i + 1].rpm) - table[i - 1].rpm) / span);
  }
}

}  // namespace kelvra::power
