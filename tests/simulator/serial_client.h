#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace kelvra::simulator::test {

using std::chrono::milliseconds;

// The program's side of the line with plain POSIX calls: the simulator must work with any client.
class SerialClient {
 public:
  explicit SerialClient(const std::string& path);  // -1 descriptor when the open fails
  ~SerialClient();
  SerialClient(const SerialClient&) = delete;
  SerialClient& operator=(const SerialClient&) = delete;

  int fd() const { return fd_; }
  bool Write(std::string_view bytes) const;
  // Reads until the text ends with the prompt, or until the timeout (what came so far).
  std::string ReadUntilPrompt(milliseconds timeout = milliseconds(2000)) const;
  // Reads exactly count bytes, or what came before the timeout.
  std::string ReadBytes(size_t count, milliseconds timeout = milliseconds(2000)) const;
  // Whatever arrives within the time given.
  std::string ReadFor(milliseconds time) const;

 private:
  std::string Read(const std::function<bool(const std::string&)>& done, milliseconds timeout) const;

  int fd_ = -1;
};

// Waits until the condition holds, up to the timeout; says whether it did.
bool WaitFor(const std::function<bool()>& condition, milliseconds timeout = milliseconds(2000));

}  // namespace kelvra::simulator::test
