#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvra::fuzz {

// Reads a fuzzer's input as a few option bytes followed by batches of bytes: each batch ends at
// a 0xFF byte (not part of it), so one input also describes how the bytes arrive.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return rest_.empty(); }
  // The next byte as an option, 0 when none is left.
  unsigned char Option() {
    if (rest_.empty())
      return 0;
    const auto byte = static_cast<unsigned char>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  // The bytes up to the next 0xFF or the end.
  std::string_view Batch() {
    const std::size_t end = rest_.find('\xff');
    const std::string_view batch = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return batch;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace kelvra::fuzz
