#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvra {

// The decimal separator in force: from the user's locale (LC_ALL / LC_NUMERIC / LANG), overridden
// by the environment variable KELVRA_DECIMAL_SEPARATOR. Tests pin it with SetDecimalSeparator.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// Forgets any pinned separator and reads the environment and locale again.
void ResetDecimalSeparator();

// The general format: shortest form with up to 15 significant digits, no grouping, the active
// separator, exponent form ("1,5E-6", "1E15") below 1e-5 and from 1e15. "NAN", "INF", "-INF".
std::string FormatGeneral(double value);
// The same form with 1 to 17 significant digits; the exponent form stays below 1e-5 and from 1e15
// whatever the digits. 17 digits give back the very double when read.
std::string FormatGeneral(double value, int significantDigits);
// A 32-bit float shows every digit of its stored value: widened to double first.
std::string FormatGeneral(float value);
std::string FormatInteger(std::int64_t value);

// Real numbers: optional blanks around, optional sign, digits with ',' or '.' as the decimal
// separator, optional exponent. Throws ConversionError "'%s' is not a valid floating point value".
double ParseReal(std::string_view text);
double ParseRealOr(std::string_view text, double fallback);
bool TryParseReal(std::string_view text, double& out);

// Whole numbers (32-bit): optional sign, decimal digits, or hexadecimal after "0x", "0X" or "$".
// Throws ConversionError "'%s' is not a valid integer value".
std::int32_t ParseInteger(std::string_view text);
std::int32_t ParseIntegerOr(std::string_view text, std::int32_t fallback);
bool TryParseInteger(std::string_view text, std::int32_t& out);

// Initial field texts are written with a comma ("0,63"); this shows them with the active separator.
std::string LocalizeDecimal(std::string_view text);

}  // namespace kelvra
