#include "common/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvra {
namespace {

TEST(Windows1252Test, EveryByteRoundTrips) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Windows1252Test, ByteTable) {
  const struct {
    unsigned char byte;
    const char* utf8;
  } cases[] = {
      {0x41, "A"},      {0x80, "€"},      {0x81, "\u0081"}, {0x82, "‚"},      {0x83, "ƒ"},
      {0x84, "„"},      {0x85, "…"},      {0x86, "†"},      {0x87, "‡"},      {0x88, "ˆ"},
      {0x89, "‰"},      {0x8A, "Š"},      {0x8B, "‹"},      {0x8C, "Œ"},      {0x8D, "\u008D"},
      {0x8E, "Ž"},      {0x8F, "\u008F"}, {0x90, "\u0090"}, {0x91, "‘"},      {0x92, "’"},
      {0x93, "“"},      {0x94, "”"},      {0x95, "•"},      {0x96, "–"},      {0x97, "—"},
      {0x98, "˜"},      {0x99, "™"},      {0x9A, "š"},      {0x9B, "›"},      {0x9C, "œ"},
      {0x9D, "\u009D"}, {0x9E, "ž"},      {0x9F, "Ÿ"},      {0xA0, "\u00A0"}, {0xB0, "°"},
      {0xE9, "é"},      {0xFF, "ÿ"},
  };
  for (const auto& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << int(c.byte);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << int(c.byte);
  }
}

TEST(Windows1252Test, UnmappableAndMalformedBecomeQuestionMarks) {
  const struct {
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"a\u4E2Db", "a?b"},           // no Windows-1252 byte
      {"\u0080", "?"},               // C1 control whose byte means €
      {"\U0001F600", "?"},           // four-byte character
      {"x\xC3", "x?"},               // truncated at the end
      {"\xE2\x82z", "??z"},          // truncated in the middle
      {"\x80y", "?y"},               // stray continuation byte
      {"\xC0\xAF", "??"},            // overlong form
      {"\xED\xA0\x80", "???"},       // surrogate
      {"\xF5\x80\x80\x80", "????"},  // beyond U+10FFFF
      {"\xFF\xFE", "??"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.expected) << c.utf8;
}

TEST(Windows1252Test, FoldCase) {
  EXPECT_EQ(FoldCase("ABC xyz 09"), "abc xyz 09");
  EXPECT_EQ(FoldCase("ÀÉÎÕÜÞ"), "àéîõüþ");
  EXPECT_EQ(FoldCase("×ß"), "×ß");  // × has no case; ß has no single upper case
  EXPECT_EQ(FoldCase("ŠŒŽŸ"), "šœžÿ");
  EXPECT_EQ(FoldCase("Ω"), "Ω");  // outside Windows-1252: unchanged
  EXPECT_EQ(FoldCase("a\xC3"), "a\xC3");
}

TEST(Windows1252Test, EqualsIgnoreCase) {
  EXPECT_TRUE(EqualsIgnoreCase("Véhicule", "VÉHICULE"));
  EXPECT_TRUE(EqualsIgnoreCase("œuvre", "ŒUVRE"));
  EXPECT_TRUE(EqualsIgnoreCase("", ""));
  EXPECT_FALSE(EqualsIgnoreCase("Vehicule", "Véhicule"));
  EXPECT_FALSE(EqualsIgnoreCase("ab", "abc"));
  EXPECT_FALSE(EqualsIgnoreCase("×", "÷"));
}

}  // namespace
}  // namespace kelvra
