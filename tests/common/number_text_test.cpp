#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "common/errors.h"

namespace kelvra {
namespace {

class NumberTextTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDecimalSeparator(','); }
  void TearDown() override { ResetDecimalSeparator(); }
};

struct FormatCase {
  double value;
  const char* expected;
};

TEST_F(NumberTextTest, FormatGeneralWithComma) {
  const FormatCase cases[] = {
      {static_cast<float>(10000.0 / 255.0), "39,2156867980957"},
      {1.0522959f, "1,05229592323303"},
      {0.0000015, "1,5E-6"},
      {0.5, "0,5"},
      {40.833332f, "40,8333320617676"},
      {1.81458391671346, "1,81458391671346"},
      {50.0 * 1000 / 3000, "16,6666666666667"},
      {0.00001, "0,00001"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1.5e20, "1,5E20"},
      {0.0, "0"},
      {-0.0, "0"},
      {-2.5, "-2,5"},
      {-0.0000015, "-1,5E-6"},
      {100.0, "100"},
      {1e14, "100000000000000"},
      {0.000123, "0,000123"},
      {1.23e-300, "1,23E-300"},
      // Rounding to 15 digits moves the exponent: judged after rounding.
      {999999999999999.9, "1E15"},
      {0.0000099999999999999999, "0,00001"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatGeneral(c.value), c.expected) << c.value;
}

TEST_F(NumberTextTest, FormatGeneralFloatShowsWidenedDigits) {
  EXPECT_EQ(FormatGeneral(0.1f), "0,100000001490116");
  EXPECT_EQ(FormatGeneral(40.833332f), "40,8333320617676");
}

TEST_F(NumberTextTest, FormatGeneralUsesActiveSeparator) {
  SetDecimalSeparator('.');
  EXPECT_EQ(FormatGeneral(50.0 * 1000 / 3000), "16.6666666666667");
  EXPECT_EQ(FormatGeneral(0.0000015), "1.5E-6");
}

TEST_F(NumberTextTest, FormatGeneralWithSeventeenDigitsKeepsTheSyntax) {
  const FormatCase cases[] = {
      {0.1, "0,10000000000000001"},
      {1.0 / 3.0, "0,33333333333333331"},
      {123.456, "123,456"},
      {0.0000015, "1,5E-6"},
      {-0.000012345678901234567, "-0,000012345678901234568"},
      // Plain below 1e15 as with 15 digits, so the file syntax does not change.
      {999999999999999.9, "999999999999999,88"},
      {1e15, "1E15"},
      {0.0, "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatGeneral(c.value, 17), c.expected) << c.value;
  EXPECT_EQ(FormatGeneral(0.1, 15), FormatGeneral(0.1));
}

TEST_F(NumberTextTest, SeventeenDigitsReadBackAsTheSameDouble) {
  for (double value : {1.0 / 3.0, -2.0 / 7.0 * 1e-4, 6.02214076e13, 1.2345678901234567e-7,
                       0.1 + 0.2, 4.9e-324, 1.7976931348623157e308}) {
    const std::string text = FormatGeneral(value, 17);
    EXPECT_EQ(ParseReal(text), value) << text;
  }
}

TEST_F(NumberTextTest, FormatInteger) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(-1234567), "-1234567");
  EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST_F(NumberTextTest, ParseRealAcceptsBothSeparatorsAndExponents) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"0,63", 0.63},     {"0.63", 0.63},
      {"  12 ", 12.0},    {"\t-3,5\t", -3.5},
      {"+7", 7.0},        {"1e3", 1000.0},
      {"1,5E-6", 1.5e-6}, {"2.5e+2", 250.0},
      {"-0", 0.0},        {"1.", 1.0},
      {",5", 0.5},        {"1E308", 1e308},
      {"007,25", 7.25},   {"0,1000000000000000000000000000000000001", 0.1},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(ParseReal(c.text), c.expected) << c.text;
}

TEST_F(NumberTextTest, ParseRealIgnoresTheActiveSeparatorAndProcessLocale) {
  SetDecimalSeparator('.');
  EXPECT_DOUBLE_EQ(ParseReal("0,63"), 0.63);
  SetDecimalSeparator(',');
  EXPECT_DOUBLE_EQ(ParseReal("0.63"), 0.63);
}

TEST_F(NumberTextTest, ParseRealRejects) {
  const char* cases[] = {"",    " ",     "1,2,3", "1.2.3",  "abc",    "1e",    "--1",
                         "1 2", "1 000", ".",     "1,5,",   "inf",    "nan",   "INF",
                         "1e+", "0x10",  "1e999", "-1e999", "1,5 E3", "1e3.5", "\n1"};
  for (const char* text : cases) {
    double out = 42.0;
    EXPECT_FALSE(TryParseReal(text, out)) << text;
    EXPECT_EQ(out, 42.0) << text;
    EXPECT_THROW(ParseReal(text), ConversionError) << text;
  }
}

TEST_F(NumberTextTest, ParseRealMessageQuotesTheOriginalText) {
  const std::string texts[] = {"", " 1,2,3 "};
  for (const std::string& text : texts) {
    try {
      ParseReal(text);
      FAIL() << text;
    } catch (const ConversionError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + text + "' is not a valid floating point value");
    }
  }
}

TEST_F(NumberTextTest, ParseRealOrAndTryParseReal) {
  EXPECT_DOUBLE_EQ(ParseRealOr("2,5", -1.0), 2.5);
  EXPECT_DOUBLE_EQ(ParseRealOr("2,5x", -1.0), -1.0);
  double out = 0.0;
  EXPECT_TRUE(TryParseReal(" 3.25 ", out));
  EXPECT_DOUBLE_EQ(out, 3.25);
}

TEST_F(NumberTextTest, ParseInteger) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"0", 0},
      {" 42 ", 42},
      {"-17", -17},
      {"+5", 5},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"0x1F", 31},
      {"0XfF", 255},
      {"$10", 16},
      {"0x7FFFFFFF", 2147483647},
      {"0xFFFFFFFF", -1},
      {"0x80000000", std::numeric_limits<std::int32_t>::min()},
      {"0x000000001", 1},
      {"-0x10", -16},
      {"000123", 123},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseInteger(c.text), c.expected) << c.text;
}

TEST_F(NumberTextTest, ParseIntegerRejects) {
  const char* cases[] = {"",    "14,5", "14.5",        "2147483648", "-2147483649",
                         "0x",  "$",    "0x100000000", "1e3",        "abc",
                         "- 1", "1 2",  "0xG",         "--1",        "99999999999999999999"};
  for (const char* text : cases) {
    std::int32_t out = 7;
    EXPECT_FALSE(TryParseInteger(text, out)) << text;
    EXPECT_EQ(out, 7) << text;
    EXPECT_EQ(ParseIntegerOr(text, -3), -3) << text;
  }
  try {
    ParseInteger("14,5");
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'14,5' is not a valid integer value");
  }
}

TEST_F(NumberTextTest, LocalizeDecimal) {
  EXPECT_EQ(LocalizeDecimal("0,63"), "0,63");
  SetDecimalSeparator('.');
  EXPECT_EQ(LocalizeDecimal("0,63"), "0.63");
  EXPECT_EQ(LocalizeDecimal("1.5"), "1.5");
}

// Runs each case with a controlled environment and restores the caller's afterwards.
class DecimalSeparatorTest : public ::testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"KELVRA_DECIMAL_SEPARATOR", "LC_ALL", "LC_NUMERIC",
                                               "LANG"};

  void SetUp() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      const char* value = std::getenv(kVariables[i]);
      saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
      unsetenv(kVariables[i]);
    }
    ResetDecimalSeparator();
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i) {
      if (saved_[i]) {
        setenv(kVariables[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(kVariables[i]);
      }
    }
    ResetDecimalSeparator();
  }
  static char With(const char* variable, const char* value) {
    setenv(variable, value, 1);
    ResetDecimalSeparator();
    return DecimalSeparator();
  }

  std::optional<std::string> saved_[std::size(kVariables)];
};

TEST_F(DecimalSeparatorTest, NoLocaleMeansPoint) {
  EXPECT_EQ(DecimalSeparator(), '.');
}

TEST_F(DecimalSeparatorTest, LanguageOfUninstalledLocale) {
  // Names no system has installed, so the language table decides.
  EXPECT_EQ(With("LANG", "fr_XX.UTF-8"), ',');
  EXPECT_EQ(With("LANG", "de"), ',');
  EXPECT_EQ(With("LANG", "en_XX.UTF-8"), '.');
  EXPECT_EQ(With("LANG", "C.UTF-8"), '.');
  EXPECT_EQ(With("LC_NUMERIC", "pt_XX"), ',');
  EXPECT_EQ(With("LC_ALL", "ja_XX.UTF-8"), '.');  // LC_ALL wins over LC_NUMERIC and LANG
}

TEST_F(DecimalSeparatorTest, EnvironmentOverrideAndPin) {
  setenv("LANG", "fr_XX.UTF-8", 1);
  EXPECT_EQ(With("KELVRA_DECIMAL_SEPARATOR", "."), '.');
  EXPECT_EQ(With("KELVRA_DECIMAL_SEPARATOR", ""), ',');  // empty is ignored
  SetDecimalSeparator('.');
  EXPECT_EQ(DecimalSeparator(), '.');
  ResetDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ',');
}

TEST_F(DecimalSeparatorTest, ResultIsCachedUntilReset) {
  EXPECT_EQ(With("LANG", "fr_XX"), ',');
  setenv("LANG", "en_XX", 1);
  EXPECT_EQ(DecimalSeparator(), ',');
  ResetDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), '.');
}

}  // namespace
}  // namespace kelvra
