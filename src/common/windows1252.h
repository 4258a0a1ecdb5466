#pragma once

#include <string>
#include <string_view>

namespace kelvra {

// Files are Windows-1252; strings in memory are UTF-8. Convert at the file boundary only.
// The five bytes Windows-1252 leaves undefined map to U+0081, U+008D, U+008F, U+0090, U+009D so
// that every byte round-trips.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Case folding for names compared without regard to case (INI sections and keys): ASCII and the
// accented Latin letters of Windows-1252. Works on UTF-8 text.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace kelvra
