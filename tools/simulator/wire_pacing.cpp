#include "simulator/wire_pacing.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kelvra::simulator {

namespace {

constexpr int kBitsPerByte = 10;
// About 2 ms of line time per chunk: fine enough to look like a serial line to a reader, coarse
// enough not to wake up for every byte at 38400 baud.
constexpr int kChunksPerSecond = 500;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
    } else if (written < 0 && errno == EAGAIN) {
      // Nobody reads the other end: give up after a while rather than hang the simulator.
      pollfd watch{fd, POLLOUT, 0};
      if (::poll(&watch, 1, 200) <= 0 || (watch.revents & POLLOUT) == 0)
        return false;
    } else if (!(written < 0 && errno == EINTR)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::chrono::nanoseconds WireTime(size_t bytes, int baudRate) {
  if (baudRate <= 0)
    return std::chrono::nanoseconds(0);
  return std::chrono::nanoseconds(static_cast<long long>(bytes) * kBitsPerByte * 1'000'000'000LL /
                                  baudRate);
}

bool WritePaced(int fd, std::string_view bytes, int baudRate,
                const std::function<bool(SteadyTime)>& waitUntil) {
  if (baudRate <= 0)
    return WriteAll(fd, bytes);
  const size_t chunk = std::max(1, baudRate / kBitsPerByte / kChunksPerSecond);
  const SteadyTime start = std::chrono::steady_clock::now();
  for (size_t sent = 0; sent < bytes.size();) {
    const size_t count = std::min(chunk, bytes.size() - sent);
    if (!waitUntil(start + WireTime(sent + count, baudRate)))
      return false;
    if (!WriteAll(fd, bytes.substr(sent, count)))
      return false;
    sent += count;
  }
  return true;
}

}  // namespace kelvra::simulator
