#pragma once

#include <string>
#include <vector>

#include "acquisition/run_buffer.h"

namespace kelvra::acquisition {

// One line of a run: the sample's time minus t0, ";", the engine speed, both in the general number
// format. The difference is taken in double from the two singles, so its last digits show their
// rounding (12.345 - 11.833 gives "0,51200008392334").
std::string RunLine(const RunSample& sample, float t0);

// The run text of the samples with t0 <= time <= t1, in recording order; nothing when t1 < t0.
std::vector<std::string> RunLines(const RunBuffer& buffer, float t0, float t1);

// Creates (or empties) the file and writes the lines in Windows-1252, each ended by CR LF.
// Throws FileError when the file cannot be created or written.
void WriteRunFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kelvra::acquisition
