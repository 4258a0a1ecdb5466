// The acceleration tab's "Source fichier": a curve export read from disk as the tab reads it, its
// lines split into engine speeds and values, then "Calculer" on those rows. One option byte picks
// the computation's switches; the rest is the file.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "acceleration/acceleration_diagram.h"
#include "acceleration/data_source.h"
#include "common/errors.h"
#include "power/run_text_loader.h"

using namespace kelvra;

namespace {

std::string TempPath() {
  const char* dir = getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/kelvra_fuzz_curve_" +
         std::to_string(getpid()) + ".csv";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = TempPath();
  const unsigned char option = size > 0 ? data[0] : 0;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (size > 1)
      out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  const auto lines = power::ReadRunFile(path);
  if (!lines)
    return 0;
  const acceleration::FileRowsResult read = acceleration::RowsFromFileLines(*lines);
  if (!read.ok) {
    if (lines->size() <= acceleration::kMaxDataRows)
      __builtin_trap();
    return 0;
  }
  // One row per line, and a row never keeps a separator or a decimal point.
  if (read.rows.speeds.size() != lines->size() || read.rows.values.size() != lines->size())
    __builtin_trap();
  for (std::size_t i = 0; i < lines->size(); ++i) {
    for (const std::string* text : {&read.rows.speeds[i], &read.rows.values[i]}) {
      if (text->find_first_of("; .") != std::string::npos)
        __builtin_trap();
    }
  }

  acceleration::DiagramInputs in;
  in.rows = read.rows;
  in.kind = static_cast<acceleration::ValueKind>(option % 3);
  in.tyreFriction = (option & 0x04) != 0;
  in.kmhPerSecond = (option & 0x08) != 0;
  in.opti = (option & 0x10) != 0;
  in.envelope = (option & 0x20) != 0;
  in.gearSpeedTexts = {"8", "14", "20", "26", "32", (option & 0x40) != 0 ? "38" : "0"};
  acceleration::AccelerationDiagram diagram;
  try {
    diagram.Compute(in);
  } catch (const Error&) {
    // a number that does not convert, a missing value: reported to the user
  }
  return 0;
}
