#pragma once

#include <optional>
#include <string>
#include <vector>

#include "power/power_sample.h"

namespace kelvra::power {

// The lines of a run file (Windows-1252, CR LF or LF), as UTF-8; none when no regular file can be
// read at that path (an empty path, a folder, a device or a pipe).
std::optional<std::vector<std::string>> ReadRunFile(const std::string& path);

// Fills the table from the run text, one record per line: the time before the first ";", the
// engine speed after it (later ";" belong to the engine speed), then the rate of change of engine
// speed by central difference over the two neighbours. Records beyond the run's lines are dropped.
// A number that does not convert, or a line without ";", throws ConversionError; two neighbours of
// a line with the same time throw DivisionByZeroError.
void LoadRunText(const std::vector<std::string>& runText, PowerSampleTable& table);

}  // namespace kelvra::power
