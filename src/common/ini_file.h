#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvra {

// The classic INI layout in Windows-1252 with CR LF line ends. Section and key names match without
// regard to case; the first of duplicate sections or keys wins. Lines that are neither a section
// header nor "key=value" are kept as they are and otherwise ignored.
//
// The file is read when the object is built (a missing or unreadable file reads as empty). Each
// write goes to disk at once, as the platform's INI routines do, unless a Batch is open; the disk
// file is always replaced atomically (temporary file beside it, flushed, renamed), so a crash never
// leaves half a file. A file that cannot be written throws FileError "Unable to write to %s"; what
// earlier writes stored stays stored.
class IniFile {
 public:
  explicit IniFile(std::string path);
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  const std::string& path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Integers accept decimal and "0x"/"0X" hexadecimal; anything else gives the fallback.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  // Reals accept ',' or '.' and the exponent form; anything else gives the fallback.
  double ReadFloat(std::string_view section, std::string_view key, double fallback) const;
  // A whole number other than 0 is true, "0" false; absent or non-numeric gives the fallback.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteFloat(std::string_view section, std::string_view key, double value);  // general format
  void WriteBool(std::string_view section, std::string_view key, bool value);     // "1" / "0"

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::vector<std::string> Sections() const;
  // The keys of a section, in file order.
  std::vector<std::string> SectionKeys(std::string_view section) const;
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes the section's header and all its keys.
  void EraseSection(std::string_view section);

  // Collects the writes of one operation into a single replacement of the file, made when the
  // batch ends (also when it ends by an exception, so earlier writes are kept).
  class Batch {
   public:
    explicit Batch(IniFile& file);
    ~Batch() noexcept(false);
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    IniFile& file_;
    int uncaughtAtStart_;  // tells an end by exception from a normal end
  };

  // The whole content as it would be written, UTF-8 (for tests and diagnostics).
  std::string ToText() const;

 private:
  struct Content;
  void Changed();
  void Save();

  std::string path_;
  std::unique_ptr<Content> content_;
  int batchDepth_ = 0;
  bool dirty_ = false;
};

}  // namespace kelvra
