// The mOByDic framing rules and classification, with the link's expectations set from the input.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "link/response_classifier.h"
#include "link/response_framer.h"

using namespace kelvra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const bool elmMode = false;
  link::FramingFlags flags;
  link::ResponseFramer* self = nullptr;
  link::ResponseFramer framer(elmMode, flags, [&] {
    const link::Classification result = link::ClassifyMobydic(self->Take());
    (void)link::TokenText(result.token);
  });
  self = &framer;
  while (!input.Empty()) {
    const unsigned char option = input.Option();
    flags.expectAck = (option & 1) != 0;
    flags.expectData = (option & 2) != 0;
    if ((option & 4) != 0)
      framer.Clear();  // a command sent empties the buffer
    framer.Append(input.Batch());
    if (framer.Buffer().size() > link::ResponseFramer::kMaxBuffer)
      __builtin_trap();
  }
  // Also the protocol names and a response handed over whole, as the debug button does.
  if (size >= 2)
    (void)link::MobydicProtocolName(data[0], data[1]);
  (void)link::ClassifyMobydic(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
