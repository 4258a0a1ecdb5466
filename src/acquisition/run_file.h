#pragma once

#include <fstream>
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

// Creates (or empties) a run file; throws FileError when it cannot be created.
std::ofstream CreateRunFile(const std::string& path);
// Writes the lines in Windows-1252, each ended by CR LF, and closes the file; throws FileError
// when the writes fail.
void WriteRunLines(std::ofstream& out, const std::vector<std::string>& lines,
                   const std::string& path);
// Both at once.
void WriteRunFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kelvra::acquisition
