#include "scripted_line.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace kelvra::testing {

ScriptedLine::ScriptedLine() = default;

ScriptedLine::~ScriptedLine() {
  stop_ = true;
  if (thread_.joinable())
    thread_.join();
  pty_.Close();
}

std::string ScriptedLine::Start() {
  pty_.Open();
  thread_ = std::thread([this] { Serve(); });
  return pty_.SlavePath();
}

void ScriptedLine::Inject(const std::string& bytes) {
  // Written by the line's thread: the program reads on the test's thread.
  std::lock_guard lock(injectMutex_);
  injected_ += bytes;
}

void ScriptedLine::WriteAll(const std::string& bytes) {
  std::lock_guard lock(writeMutex_);
  std::size_t done = 0;
  while (done < bytes.size() && !stop_) {
    const ssize_t written = ::write(pty_.Master(), bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR)
      return;
    pollfd out{pty_.Master(), POLLOUT, 0};
    ::poll(&out, 1, 50);
  }
}

std::string ScriptedLine::AnswerTo(const std::string& command) {
  // A lone CR repeats the last command, as the chip does.
  const std::string asked = command.empty() ? lastCommand_ : command;
  lastCommand_ = asked;
  if (asked == "atz")
    return "ATZ\r\r\rELM327 v1.5\r\r>";
  if (asked == "ate0")
    return "ate0\rOK\r\r>";
  if (asked == "010c")
    return "41 0C 1A F8\r\r>";
  if (asked == "010d")
    return "41 0D 32\r\r>";
  return "?\r\r>";
}

std::string ScriptedLine::Faulty(std::string answer) {
  switch (mode.load()) {
    case Mode::Answer:
      return answer;
    case Mode::Garble: {
      std::uniform_int_distribution<int> perMille(0, 999);
      std::uniform_int_distribution<int> byte(0, 255);
      for (char& c : answer) {
        if (perMille(random_) < garblePerMille)
          c = static_cast<char>(byte(random_));
      }
      return answer;
    }
    case Mode::WrongBaud: {
      // Read at the wrong speed, each character becomes one or two bytes made of a few bits of
      // it: mostly 0x00, 0x80 and high bytes, never a whole answer and seldom the prompt.
      static constexpr unsigned char kSmears[] = {0x00, 0x80, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};
      std::string smeared;
      for (unsigned char c : answer) {
        smeared += static_cast<char>(kSmears[c & 7]);
        if ((c & 0x10) != 0)
          smeared += static_cast<char>(kSmears[(c >> 5) & 7]);
      }
      return smeared;
    }
  }
  return answer;
}

void ScriptedLine::Serve() {
  std::string pending;
  while (!stop_) {
    std::string injected;
    {
      std::lock_guard lock(injectMutex_);
      injected.swap(injected_);
    }
    if (!injected.empty())
      WriteAll(injected);
    pollfd in{pty_.Master(), POLLIN, 0};
    if (::poll(&in, 1, 20) <= 0)
      continue;
    char buffer[256];
    const ssize_t count = ::read(pty_.Master(), buffer, sizeof buffer);
    if (count <= 0)
      continue;
    pending.append(buffer, static_cast<std::size_t>(count));
    std::size_t end;
    while ((end = pending.find('\r')) != std::string::npos) {
      const std::string command = pending.substr(0, end);
      pending.erase(0, end + 1);
      ++requests_;
      const std::string answer = Faulty(AnswerTo(command));
      const int gap = byteGapMs;
      if (gap == 0) {
        WriteAll(answer);
      } else {
        for (char c : answer) {
          std::this_thread::sleep_for(std::chrono::milliseconds(gap));
          if (stop_)
            return;
          WriteAll(std::string(1, c));
        }
      }
      ++answers_;
    }
  }
}

}  // namespace kelvra::testing
