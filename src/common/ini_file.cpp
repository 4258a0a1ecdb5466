#include "common/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <optional>

#include "common/blanks.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"

namespace kelvra {

namespace {

// What one line means; the views point into the line.
struct ParsedLine {
  enum class Kind { kOther, kSection, kKey };
  Kind kind = Kind::kOther;
  std::string_view name;  // section name or key
  std::string_view value;
};

ParsedLine Parse(std::string_view line) {
  ParsedLine parsed;
  const std::string_view text = TrimBlanks(line);
  if (text.empty() || text.front() == ';')
    return parsed;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) {
      parsed.kind = ParsedLine::Kind::kSection;
      parsed.name = TrimBlanks(text.substr(1, close - 1));
      return parsed;
    }
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return parsed;
  parsed.kind = ParsedLine::Kind::kKey;
  parsed.name = TrimBlanks(text.substr(0, equals));
  parsed.value = TrimBlanks(text.substr(equals + 1));
  return parsed;
}

// A line break inside a name or value would split it into lines of another meaning on disk.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  return out;
}

// The whole file, or nothing when it is missing or cannot be read.
std::string ReadBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return {};
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0) {
      bytes.clear();
      break;
    }
    if (count == 0)
      break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return bytes;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
  return lines;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// Writes beside the target and renames over it, so readers see the old file or the new one.
bool ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  struct stat existing {};
  const bool keepMode = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && keepMode)
    ::fchmod(fd, existing.st_mode & 07777);
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok)
    ::unlink(temporary.c_str());
  return ok;
}

}  // namespace

struct IniFile::Content {
  std::vector<std::string> lines;  // UTF-8, without line ends

  std::optional<std::size_t> FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const ParsedLine parsed = Parse(lines[i]);
      if (parsed.kind == ParsedLine::Kind::kSection && EqualsIgnoreCase(parsed.name, section)) {
        return i;
      }
    }
    return std::nullopt;
  }

  // The index just past the section that starts at header.
  std::size_t SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines.size() && Parse(lines[i]).kind != ParsedLine::Kind::kSection)
      ++i;
    return i;
  }

  std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const {
    if (key.empty())
      return std::nullopt;
    const auto header = FindSection(section);
    if (!header)
      return std::nullopt;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
      const ParsedLine parsed = Parse(lines[i]);
      if (parsed.kind == ParsedLine::Kind::kKey && !parsed.name.empty() &&
          EqualsIgnoreCase(parsed.name, key)) {
        return i;
      }
    }
    return std::nullopt;
  }
};

IniFile::IniFile(std::string path) : path_(std::move(path)), content_(std::make_unique<Content>()) {
  content_->lines = SplitLines(Cp1252ToUtf8(ReadBytes(path_)));
}

IniFile::~IniFile() = default;

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const auto line = content_->FindKey(section, key);
  if (!line)
    return std::string(fallback);
  return std::string(Parse(content_->lines[*line]).value);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const auto line = content_->FindKey(section, key);
  if (!line)
    return fallback;
  return ParseIntegerOr(Parse(content_->lines[*line]).value, fallback);
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double fallback) const {
  const auto line = content_->FindKey(section, key);
  if (!line)
    return fallback;
  return ParseRealOr(Parse(content_->lines[*line]).value, fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  const auto line = content_->FindKey(section, key);
  std::int32_t value = 0;
  if (!line || !TryParseInteger(Parse(content_->lines[*line]).value, value))
    return fallback;
  return value != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = OneLine(TrimBlanks(key));
  if (name.empty())
    return;  // a line with an empty key could never be read back
  const std::string text = OneLine(value);
  auto& lines = content_->lines;

  if (const auto existing = content_->FindKey(section, name)) {
    lines[*existing] = std::string(Parse(lines[*existing]).name) + "=" + text;
  } else if (const auto header = content_->FindSection(section)) {
    std::size_t insertAt = *header + 1;
    const std::size_t end = content_->SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
      if (Parse(lines[i]).kind == ParsedLine::Kind::kKey)
        insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), name + "=" + text);
  } else {
    lines.push_back("[" + OneLine(section) + "]");
    lines.push_back(name + "=" + text);
  }
  Changed();
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, FormatInteger(value));
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
  WriteString(section, key, FormatGeneral(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const {
  return content_->FindSection(section).has_value();
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return content_->FindKey(section, key).has_value();
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const std::string& line : content_->lines) {
    const ParsedLine parsed = Parse(line);
    if (parsed.kind != ParsedLine::Kind::kSection)
      continue;
    bool seen = false;
    for (const std::string& name : names)
      seen = seen || EqualsIgnoreCase(name, parsed.name);
    if (!seen)
      names.emplace_back(parsed.name);
  }
  return names;
}

std::vector<std::string> IniFile::SectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto header = content_->FindSection(section);
  if (!header)
    return keys;
  const std::size_t end = content_->SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    const ParsedLine parsed = Parse(content_->lines[i]);
    if (parsed.kind != ParsedLine::Kind::kKey || parsed.name.empty())
      continue;
    bool seen = false;
    for (const std::string& key : keys)
      seen = seen || EqualsIgnoreCase(key, parsed.name);
    if (!seen)
      keys.emplace_back(parsed.name);
  }
  return keys;
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  const auto line = content_->FindKey(section, key);
  if (!line)
    return;
  content_->lines.erase(content_->lines.begin() + static_cast<std::ptrdiff_t>(*line));
  Changed();
}

void IniFile::EraseSection(std::string_view section) {
  const auto header = content_->FindSection(section);
  if (!header)
    return;
  auto& lines = content_->lines;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*header),
              lines.begin() + static_cast<std::ptrdiff_t>(content_->SectionEnd(*header)));
  Changed();
}

std::string IniFile::ToText() const {
  std::string text;
  for (const std::string& line : content_->lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void IniFile::Changed() {
  dirty_ = true;
  if (batchDepth_ == 0)
    Save();
}

void IniFile::Save() {
  if (!ReplaceFile(path_, Utf8ToCp1252(ToText()))) {
    throw FileError("Unable to write to " + path_);
  }
  dirty_ = false;
}

IniFile::Batch::Batch(IniFile& file) : file_(file), uncaughtAtStart_(std::uncaught_exceptions()) {
  ++file_.batchDepth_;
}

IniFile::Batch::~Batch() noexcept(false) {
  if (--file_.batchDepth_ > 0 || !file_.dirty_)
    return;
  if (std::uncaught_exceptions() > uncaughtAtStart_) {
    // Throwing now would terminate the program; the exception already on its way says enough.
    try {
      file_.Save();
    } catch (...) {
    }
    return;
  }
  file_.Save();
}

}  // namespace kelvra
