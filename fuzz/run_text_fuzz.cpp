// The run-text reader: a run file read from disk, then its lines loaded into the sample table.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "common/errors.h"
#include "power/run_text_loader.h"

using namespace kelvra;

namespace {

std::string TempPath() {
  const char* dir = getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/kelvra_fuzz_run_" +
         std::to_string(getpid()) + ".txt";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = TempPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const auto lines = power::ReadRunFile(path);
  if (!lines)
    return 0;
  power::PowerSampleTable table;
  try {
    power::LoadRunText(*lines, table);
  } catch (const Error&) {
    // a number that does not convert, or a time repeated: reported to the user
  }
  if (table.size() > lines->size())
    __builtin_trap();
  return 0;
}
