#include "serial_client.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

namespace kelvra::simulator::test {

SerialClient::SerialClient(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}

SerialClient::~SerialClient() {
  if (fd_ >= 0)
    ::close(fd_);
}

bool SerialClient::Write(std::string_view bytes) const {
  return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string SerialClient::Read(const std::function<bool(const std::string&)>& done,
                               milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  std::string received;
  while (!done(received)) {
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      break;
    pollfd watch{fd_, POLLIN, 0};
    if (::poll(&watch, 1, static_cast<int>(left.count())) <= 0 || (watch.revents & POLLIN) == 0)
      break;
    char byte;
    if (::read(fd_, &byte, 1) != 1)
      break;
    received += byte;
  }
  return received;
}

std::string SerialClient::ReadUntilPrompt(milliseconds timeout) const {
  return Read([](const std::string& text) { return text.ends_with('>'); }, timeout);
}

std::string SerialClient::ReadBytes(size_t count, milliseconds timeout) const {
  return Read([count](const std::string& text) { return text.size() >= count; }, timeout);
}

std::string SerialClient::ReadFor(milliseconds time) const {
  return Read([](const std::string&) { return false; }, time);
}

bool WaitFor(const std::function<bool()>& condition, milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(milliseconds(2));
  }
  return true;
}

}  // namespace kelvra::simulator::test
