#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "power/curve_set.h"

namespace kelvra::acceleration {

// The computation's tables hold this many rows; longer lists cannot be computed.
inline constexpr std::size_t kMaxDataRows = 1024;
inline constexpr const char* kTooManyRowsMessage = "Trop de lignes : 1024 au plus.";

// The two lists of the group "Données": engine speeds (meReg) and engine values (mePow), as text.
struct DataRows {
  std::vector<std::string> speeds;
  std::vector<std::string> values;
};

// One line of a curve file: decimal points become commas, then the text before the first ";" or
// " " is the engine speed and the text up to the next one the value (empty without a separator).
struct DataLine {
  std::string speed;
  std::string value;
};
DataLine SplitDataLine(std::string_view line);

// "Source fichier" on the lines of a file (already UTF-8): one row per line. Refused, with the
// message, beyond kMaxDataRows lines. Any text is accepted otherwise: the computation judges the
// numbers.
struct FileRowsResult {
  bool ok = false;
  std::string message;
  DataRows rows;
};
FileRowsResult RowsFromFileLines(const std::vector<std::string>& lines);

// "Source mémoire": the newest curve of the set from trunc(r0) to rfin in steps of 10 tr/mn, the
// power in cv rounded down to the tenth. No row while the set holds no curve.
DataRows RowsFromCurve(const power::CurveSet& curves);

}  // namespace kelvra::acceleration
