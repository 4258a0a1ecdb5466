#include "common/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kelvra-ini-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "vehicules.ini").string();
    SetDecimalSeparator(',');
  }
  void TearDown() override {
    fs::remove_all(dir_);
    ResetDecimalSeparator();
  }

  void WriteRaw(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string ReadRaw() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t EntriesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingOrUnreadableFileReadsEmpty) {
  EXPECT_EQ(IniFile(path_).ToText(), "");
  EXPECT_FALSE(fs::exists(path_));  // reading creates nothing
  fs::create_directory(path_);
  IniFile directory(path_);
  EXPECT_EQ(directory.ToText(), "");
  EXPECT_EQ(directory.ReadString("a", "b", "none"), "none");
}

TEST_F(IniFileTest, ReadsEveryLineEnding) {
  for (const char* raw :
       {"[S]\r\na=1\r\nb=2\r\n", "[S]\na=1\nb=2", "[S]\ra=1\rb=2\r", "[S]\r\na=1\rb=2\n"}) {
    WriteRaw(raw);
    IniFile ini(path_);
    EXPECT_EQ(ini.ToText(), "[S]\r\na=1\r\nb=2\r\n") << raw;
    EXPECT_EQ(ini.ReadString("S", "b", ""), "2") << raw;
  }
}

TEST_F(IniFileTest, LookupRules) {
  WriteRaw(
      "orphan=before any section\r\n"
      "  [ Moteur ]  \r\n"
      "  Puissance =  120 kW  \r\n"
      ";Couple=999\r\n"
      "=empty key\r\n"
      "puissance=duplicate\r\n"
      "[MOTEUR]\r\n"
      "Couple=second section\r\n"
      "[Bo\xEEte]\r\n"
      "Rapport=a=b\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadString("moteur", "PUISSANCE", "x"), "120 kW");  // trimmed, first key wins
  EXPECT_EQ(ini.ReadString("Moteur", "Couple", "x"), "x");  // comment; later duplicate section
  EXPECT_EQ(ini.ReadString("Moteur", "", "x"), "x");
  EXPECT_EQ(ini.ReadString("", "orphan", "x"), "x");
  EXPECT_EQ(ini.ReadString("BOÎTE", "rapport", "x"), "a=b");
  EXPECT_TRUE(ini.SectionExists("boîte"));
  EXPECT_FALSE(ini.SectionExists("Boite"));
  EXPECT_TRUE(ini.ValueExists("MOTEUR", "puissance"));
  EXPECT_FALSE(ini.ValueExists("Moteur", "Couple"));
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Moteur", "Boîte"}));
}

TEST_F(IniFileTest, TypedReads) {
  WriteRaw(
      "[N]\r\nhex=0x1F\r\nneg=-12\r\ncomma=14,5\r\nreal=0,63\r\npoint=0.63\r\nexp=1,5E-6\r\n"
      "text=abc\r\nzero=0\r\ntwo=2\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("N", "comma", 7), 7);
  EXPECT_EQ(ini.ReadInteger("N", "absent", 7), 7);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "real", 0), 0.63);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "point", 0), 0.63);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "exp", 0), 1.5e-6);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "text", -1), -1);
  EXPECT_FALSE(ini.ReadBool("N", "zero", true));
  EXPECT_TRUE(ini.ReadBool("N", "two", false));
  EXPECT_TRUE(ini.ReadBool("N", "text", true));
  EXPECT_FALSE(ini.ReadBool("N", "comma", false));
}

TEST_F(IniFileTest, WritesKeepTheFileOrder) {
  WriteRaw("; Kelvra\n[A]\nKey=1\n; note\n\n[B]\nx=1\n\n");
  IniFile ini(path_);
  ini.WriteString("a", "KEY", "2");  // in place, spelling kept
  ini.WriteString("A", "New", "3");  // after A's last key, before B
  ini.WriteString("B", "y", "4");    // before B's trailing blank line
  ini.WriteString("C", "z", "5");    // new section at the end
  ini.WriteFloat("C", "f", 50.0 * 1000 / 3000);
  ini.WriteBool("C", "on", true);
  ini.WriteInteger("C", "n", -42);
  const std::string expected =
      "; Kelvra\r\n[A]\r\nKey=2\r\nNew=3\r\n; note\r\n\r\n[B]\r\nx=1\r\ny=4\r\n\r\n"
      "[C]\r\nz=5\r\nf=16,6666666666667\r\non=1\r\nn=-42\r\n";
  EXPECT_EQ(ini.ToText(), expected);
  EXPECT_EQ(ReadRaw(), expected);
  EXPECT_NEAR(IniFile(path_).ReadFloat("C", "f", 0), 50.0 * 1000 / 3000, 1e-12);
}

TEST_F(IniFileTest, NewKeyInSectionWithoutKeysFollowsTheHeader) {
  WriteRaw("[A]\r\n; only a comment\r\n[B]\r\n");
  IniFile ini(path_);
  ini.WriteString("A", "k", "v");
  EXPECT_EQ(ReadRaw(), "[A]\r\nk=v\r\n; only a comment\r\n[B]\r\n");
}

TEST_F(IniFileTest, Windows1252OnDisk) {
  WriteRaw("[V\xE9hicule]\r\nt\xB0=20\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Véhicule", "t°", ""), "20");
  EXPECT_EQ(ini.ReadString("VÉHICULE", "T°", ""), "20");
  ini.WriteString("Véhicule", "t°", "21");
  ini.WriteString("Véhicule", "Modèle", "Série €");
  EXPECT_EQ(ReadRaw(), "[V\xE9hicule]\r\nt\xB0=21\r\nMod\xE8le=S\xE9rie \x80\r\n");
  EXPECT_EQ(IniFile(path_).ReadString("véhicule", "modèle", ""), "Série €");
}

TEST_F(IniFileTest, OddLinesAndBytesAreKept) {
  const std::string longLine(1 << 20, 'x');
  const std::string head("[S]\r\nnul=a\0b\r\n", 14);
  const std::string raw =
      head + "\xFF\xFE garbage\r\n[unclosed\r\n" + longLine + "\r\n[=]\r\n   \t\r\n";
  WriteRaw(raw);
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadString("S", "nul", ""), std::string("a\0b", 3));
  ini.WriteString("S", "k", "v");
  // EXPECT_TRUE keeps a megabyte of text out of the failure message.
  EXPECT_TRUE(ReadRaw() == head + "k=v\r\n" + raw.substr(head.size()))
      << "every odd line kept byte for byte";
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "="}));
}

TEST_F(IniFileTest, EraseSectionDeleteKeyAndSectionKeys) {
  WriteRaw("[A]\r\nz=1\r\nA=2\r\n;c\r\nm=3\r\na=dup\r\n\r\n[B]\r\nb=1\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.SectionKeys("a"), (std::vector<std::string>{"z", "A", "m"}));
  EXPECT_TRUE(ini.SectionKeys("none").empty());
  ini.DeleteKey("A", "a");
  EXPECT_EQ(ReadRaw(), "[A]\r\nz=1\r\n;c\r\nm=3\r\na=dup\r\n\r\n[B]\r\nb=1\r\n");
  ini.EraseSection("a");
  EXPECT_EQ(ReadRaw(), "[B]\r\nb=1\r\n");
  EXPECT_FALSE(ini.SectionExists("A"));
}

TEST_F(IniFileTest, RemovingSomethingAbsentLeavesTheFileAlone) {
  WriteRaw("[A]\nk=1\n");  // LF only: any rewrite would turn it into CR LF
  IniFile ini(path_);
  ini.EraseSection("B");
  ini.DeleteKey("A", "x");
  ini.DeleteKey("B", "k");
  EXPECT_EQ(ReadRaw(), "[A]\nk=1\n");
}

TEST_F(IniFileTest, SavingLeavesNoTemporaryBehind) {
  IniFile ini(path_);
  for (int i = 0; i < 5; ++i)
    ini.WriteInteger("S", "k" + std::to_string(i), i);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(IniFileTest, FailedWriteThrowsAndKeepsTheOldFile) {
  WriteRaw("[A]\r\nk=old\r\n");
  IniFile ini(path_);
  // A directory where the temporary file should go makes the write fail before the rename.
  const fs::path blocker = path_ + ".tmp" + std::to_string(getpid());
  fs::create_directory(blocker);
  try {
    ini.WriteString("A", "k", "new");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path_);
  }
  EXPECT_EQ(ReadRaw(), "[A]\r\nk=old\r\n");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "new");  // kept in memory for the next save
  fs::remove(blocker);
  ini.WriteString("A", "other", "1");
  EXPECT_EQ(ReadRaw(), "[A]\r\nk=new\r\nother=1\r\n");
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(IniFileTest, UnwritablePaths) {
  WriteRaw("");
  for (const std::string& path : {(dir_ / "missing" / "x.ini").string(), path_ + "/x.ini"}) {
    IniFile ini(path);
    try {
      ini.WriteString("A", "k", "v");
      FAIL() << path;
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
  }
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(IniFileTest, BatchWritesOnceAtTheOutermostEnd) {
  WriteRaw("[A]\r\nk=0\r\n");
  IniFile ini(path_);
  {
    IniFile::Batch outer(ini);
    for (int i = 0; i < 100; ++i)
      ini.WriteInteger("A", "k" + std::to_string(i), i);
    {
      IniFile::Batch inner(ini);
      ini.EraseSection("A");
      ini.WriteString("B", "x", "1");
    }
    EXPECT_EQ(ReadRaw(), "[A]\r\nk=0\r\n");
  }
  EXPECT_EQ(ReadRaw(), "[B]\r\nx=1\r\n");
}

TEST_F(IniFileTest, BatchWithoutChangesDoesNotWrite) {
  IniFile ini(path_);
  { IniFile::Batch batch(ini); }
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, BatchEndedByAnExceptionStillSaves) {
  IniFile ini(path_);
  EXPECT_THROW(
      {
        IniFile::Batch batch(ini);
        ini.WriteString("A", "k", "kept");
        throw std::runtime_error("operation failed");
      },
      std::runtime_error);
  EXPECT_EQ(ReadRaw(), "[A]\r\nk=kept\r\n");
}

TEST_F(IniFileTest, BatchSaveFailure) {
  IniFile ini((dir_ / "missing" / "x.ini").string());
  // Ended normally: the failure is reported.
  EXPECT_THROW(
      {
        IniFile::Batch batch(ini);
        ini.WriteString("A", "k", "v");
      },
      FileError);
  // Ended by an exception: the original exception arrives and the program goes on.
  EXPECT_THROW(
      {
        IniFile::Batch batch(ini);
        ini.WriteString("A", "k", "w");
        throw std::logic_error("first");
      },
      std::logic_error);
}

}  // namespace
}  // namespace kelvra
