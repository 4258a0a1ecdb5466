#include "link/response_framer.h"

#include <cstdint>

#include "common/hex.h"

namespace kelvra::link {

ResponseFramer::ResponseFramer(const bool& elmMode, const FramingFlags& flags,
                               std::function<void()> complete)
    : elmMode_(elmMode), flags_(flags), complete_(std::move(complete)) {}

void ResponseFramer::Append(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() > kMaxBuffer)
    buffer_.erase(0, buffer_.size() - kMaxBuffer);
  if (!elmMode_)
    ApplyMobydicRules();
}

std::string ResponseFramer::Take() {
  std::string content = std::move(buffer_);
  buffer_.clear();
  return content;
}

void ResponseFramer::ApplyMobydicRules() {
  const auto byte = [this](size_t i) { return static_cast<unsigned char>(buffer_[i]); };
  // A rejected request, or a protocol answer.
  if (buffer_.size() >= 2) {
    if ((byte(0) == 0x02 && byte(1) == 0x00) || (byte(0) == 0x05 && buffer_.size() == 3)) {
      complete_();
      return;
    }
  }
  // A lone acknowledge, only when one is expected.
  if (flags_.expectAck && buffer_.size() == 1 && byte(0) == 0x06) {
    complete_();
    return;
  }
  // A data frame: 0x02, length N, three header bytes, payload, one last byte; N + 2 bytes in all.
  if (flags_.expectData && buffer_.size() >= 2 && byte(0) == 0x02) {
    // The length byte is signed: 0x80 and above never complete a frame.
    const int length = static_cast<std::int8_t>(byte(1));
    if (length > 0 && buffer_.size() == static_cast<size_t>(length) + 2) {
      std::string payload;
      for (size_t i = 5; i + 1 < buffer_.size(); ++i)
        AppendHexByte(payload, byte(i));
      buffer_ = std::move(payload);
      complete_();
    }
  }
}

}  // namespace kelvra::link
