// The ELM framing and classification: bytes in any batches, the prompt completing a response.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "link/response_classifier.h"
#include "link/response_framer.h"

using namespace kelvra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const bool elmMode = true;
  const link::FramingFlags flags;
  int completions = 0;
  link::ResponseFramer framer(elmMode, flags, [&] { ++completions; });
  while (!input.Empty()) {
    framer.Append(input.Batch());
    // The port raises the event character once a batch holds the prompt.
    const std::string& buffer = framer.Buffer();
    if (buffer.find('>') != std::string::npos) {
      const link::Classification result = link::ClassifyElm(framer.Take());
      if (result.line.size() > link::ResponseFramer::kMaxBuffer)
        __builtin_trap();
      (void)link::TokenText(result.token);
    }
    if (framer.Buffer().size() > link::ResponseFramer::kMaxBuffer)
      __builtin_trap();
  }
  if (completions != 0)  // ELM responses are completed by the prompt only, never by the framer
    __builtin_trap();
  return 0;
}
