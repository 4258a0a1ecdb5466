#include "common/number_text.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "common/blanks.h"
#include "common/errors.h"

namespace kelvra {

namespace {

std::optional<char> pinnedSeparator;
std::optional<char> cachedSeparator;

// The locale name in force for numbers, as the C library resolves it from the environment.
std::string NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0')
      return value;
  }
  return "C";
}

bool IsCLocale(const std::string& name) {
  return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// Used when the user's locale is not installed: its language decides.
char SeparatorFromLanguage(const std::string& localeName) {
  static constexpr const char* kCommaLanguages[] = {
      "fr", "de", "es", "it", "pt", "nl", "ru", "pl", "cs", "sv", "da",
      "fi", "nb", "nn", "no", "tr", "el", "hu", "ro", "uk", "be", "bg",
      "hr", "sk", "sl", "lt", "lv", "et", "ca", "eu", "gl", "id", "vi"};
  const std::string language = localeName.substr(0, localeName.find_first_of("_.@"));
  for (const char* comma : kCommaLanguages) {
    if (language == comma)
      return ',';
  }
  return '.';
}

char SeparatorFromEnvironment() {
  const char* forced = std::getenv("KELVRA_DECIMAL_SEPARATOR");
  if (forced != nullptr && *forced != '\0')
    return *forced;

  const std::string name = NumericLocaleName();
  if (!IsCLocale(name)) {
    locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale != static_cast<locale_t>(nullptr)) {
      const char* radix = nl_langinfo_l(RADIXCHAR, locale);
      const char separator = (radix != nullptr && *radix != '\0') ? *radix : '.';
      freelocale(locale);
      return separator;
    }
  }
  return SeparatorFromLanguage(name);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (IsDigit(c))
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Checks the whole grammar by hand so that from_chars only ever sees a plain C-locale number.
std::optional<double> ParseRealText(std::string_view text) {
  text = TrimBlanks(text);
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-')
      plain += '-';
    ++i;
  }
  std::size_t mantissaDigits = 0;
  bool separatorSeen = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      plain += c;
      ++mantissaDigits;
    } else if ((c == ',' || c == '.') && !separatorSeen) {
      plain += '.';
      separatorSeen = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0)
    return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      plain += text[i++];
    std::size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponentDigits)
      plain += text[i];
    if (exponentDigits == 0)
      return std::nullopt;
  }
  if (i != text.size())
    return std::nullopt;

  double value = 0.0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  // Out of range covers overflow and underflow alike: neither is the number that was typed.
  if (error != std::errc() || end != plain.data() + plain.size())
    return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseIntegerText(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  }
  if (text.empty())
    return std::nullopt;

  if (hex) {
    // Hexadecimal spells the 32 bits, so 0xFFFFFFFF is -1 as on the platform.
    std::uint64_t bits = 0;
    for (char c : text) {
      const int digit = HexDigit(c);
      if (digit < 0)
        return std::nullopt;
      bits = bits * 16 + static_cast<std::uint64_t>(digit);
      if (bits > 0xFFFFFFFFull)
        return std::nullopt;
    }
    std::uint32_t word = static_cast<std::uint32_t>(bits);
    if (negative)
      word = 0u - word;
    return static_cast<std::int32_t>(word);
  }

  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (!IsDigit(c))
      return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit)
      return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

char DecimalSeparator() {
  if (pinnedSeparator)
    return *pinnedSeparator;
  if (!cachedSeparator)
    cachedSeparator = SeparatorFromEnvironment();
  return *cachedSeparator;
}

void SetDecimalSeparator(char separator) {
  pinnedSeparator = separator;
}

void ResetDecimalSeparator() {
  pinnedSeparator.reset();
  cachedSeparator.reset();
}

std::string FormatGeneral(double value) {
  return FormatGeneral(value, 15);
}

std::string FormatGeneral(double value, int significantDigits) {
  if (std::isnan(value))
    return "NAN";
  if (std::isinf(value))
    return value > 0 ? "INF" : "-INF";
  if (value == 0.0)
    return "0";

  // Scientific with digits - 1 decimals rounds to that many significant digits; to_chars ignores
  // the locale.
  const int decimals = std::clamp(significantDigits, 1, 17) - 1;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, decimals);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePosition = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePosition)) {
    if (IsDigit(c))
      digits += c;
  }
  int exponent = 0;
  std::string_view exponentText = text.substr(ePosition + 1);
  if (!exponentText.empty() && exponentText.front() == '+')
    exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  const char separator = DecimalSeparator();
  std::string out = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) {
      out += separator;
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent >= 0) {
    const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out += separator;
      out.append(digits, integerDigits);
    }
  } else {
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

std::string FormatGeneral(float value) {
  return FormatGeneral(static_cast<double>(value));
}

std::string FormatInteger(std::int64_t value) {
  return std::to_string(value);
}

double ParseReal(std::string_view text) {
  if (const auto value = ParseRealText(text))
    return *value;
  throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

double ParseRealOr(std::string_view text, double fallback) {
  return ParseRealText(text).value_or(fallback);
}

bool TryParseReal(std::string_view text, double& out) {
  const auto value = ParseRealText(text);
  if (value)
    out = *value;
  return value.has_value();
}

std::int32_t ParseInteger(std::string_view text) {
  if (const auto value = ParseIntegerText(text))
    return *value;
  throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::int32_t ParseIntegerOr(std::string_view text, std::int32_t fallback) {
  return ParseIntegerText(text).value_or(fallback);
}

bool TryParseInteger(std::string_view text, std::int32_t& out) {
  const auto value = ParseIntegerText(text);
  if (value)
    out = *value;
  return value.has_value();
}

std::string LocalizeDecimal(std::string_view text) {
  const char separator = DecimalSeparator();
  std::string out(text);
  for (char& c : out) {
    if (c == ',' || c == '.')
      c = separator;
  }
  return out;
}

}  // namespace kelvra
