#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kelvra::link {

// Set by the link engine while a mOByDic exchange expects an acknowledge or a data frame.
struct FramingFlags {
  bool expectAck = false;
  bool expectData = false;
};

// Collects received bytes into one response at a time. With an ELM chip the port's event character
// (the prompt) completes a response; with a mOByDic interface three rules on the buffer do.
class ResponseFramer {
 public:
  // A response is a few dozen bytes; a line that floods bytes without ever completing one keeps
  // only its newest bytes, so memory stays bounded.
  static constexpr size_t kMaxBuffer = 4096;

  ResponseFramer(const bool& elmMode, const FramingFlags& flags, std::function<void()> complete);

  // Appends a batch of received bytes, then tries the mOByDic rules.
  void Append(std::string_view bytes);

  const std::string& Buffer() const { return buffer_; }
  void Clear() { buffer_.clear(); }
  // The buffer's content, leaving it empty.
  std::string Take();
  void Replace(std::string content) { buffer_ = std::move(content); }

 private:
  void ApplyMobydicRules();

  const bool& elmMode_;
  const FramingFlags& flags_;
  std::function<void()> complete_;
  std::string buffer_;
};

}  // namespace kelvra::link
