#include "link/alternative_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "common/errors.h"

namespace kelvra::link {

namespace {

speed_t SpeedFor(int baudRate) {
  switch (baudRate) {
    case 38400:
      return B38400;
    case 19200:
      return B19200;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return B9600;
  }
}

}  // namespace

AlternativePort::AlternativePort(form::Services& services) : services_(services) {}

AlternativePort::~AlternativePort() {
  events_ = nullptr;
  Close();
}

void AlternativePort::Open(const PortSettings& settings) {
  if (IsOpen())
    return;
  const int fd = ::open(settings.name.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  // Not shared: a device another program holds is busy.
  if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || !::isatty(fd)) {
    if (fd >= 0)
      ::close(fd);
    throw Error("Erreur ouverture port.");
  }
  ::ioctl(fd, TIOCEXCL);
  fd_ = fd;
  eventCharOn_ = settings.eventCharEnabled;
  eventChar_ = settings.eventChar;
  Configure(settings.baudRate);
  Purge();
  if (events_ != nullptr)
    events_->PortOpened();
  if (IsOpen())
    ReadLoop();
}

void AlternativePort::Configure(int baudRate) {
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0)
    return;
  ::cfsetispeed(&tio, SpeedFor(baudRate));
  ::cfsetospeed(&tio, SpeedFor(baudRate));
  // 8 data bits, no parity; stop bits and flow control stay as the device had them.
  tio.c_cflag &= ~(CSIZE | PARENB);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  // Bytes pass unchanged: no line editing, echo or CR/LF translation on the way in or out.
  tio.c_lflag &= ~(ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN);
  tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK);
  tio.c_oflag &= ~OPOST;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::tcsetattr(fd_, TCSANOW, &tio);
}

void AlternativePort::Purge() {
  if (!IsOpen())
    return;
  ::tcflush(fd_, TCOFLUSH);
  ::tcflush(fd_, TCIFLUSH);
}

void AlternativePort::ReadLoop() {
  reading_ = true;
  while (reading_ && IsOpen()) {
    pollfd watch{fd_, POLLIN, 0};
    const int ready = ::poll(&watch, 1, kReadTimeoutMs);
    if (ready > 0 && (watch.revents & POLLIN) != 0) {
      char byte = 0;
      const ssize_t count = ::read(fd_, &byte, 1);
      if (count == 1) {
        // Each notification is an action of its own: an error in it must not end the loop.
        services_.DispatchSeparate([&] {
          if (events_ != nullptr)
            events_->BytesReceived(std::string_view(&byte, 1));
        });
        if (IsOpen() && eventCharOn_ && byte == eventChar_) {
          services_.DispatchSeparate([&] {
            if (events_ != nullptr)
              events_->EventCharReceived();
          });
        }
      } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
        LineDropped();
      }
    } else if (ready > 0 && (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      LineDropped();
    }
    // A failed read counts as a timeout; the program lives here while the port is open.
    if (reading_)
      services_.PumpEvents();
  }
  reading_ = false;
}

void AlternativePort::LineDropped() {
  // A line that hangs up would make every read fail at once: close it rather than spin.
  services_.DispatchSeparate([&] {
    if (events_ != nullptr)
      events_->PortError("Ligne coupée : le port est fermé.");
  });
  services_.DispatchSeparate([&] { Close(); });
  reading_ = false;
}

void AlternativePort::Close() {
  reading_ = false;
  if (!IsOpen())
    return;
  ::close(fd_);
  fd_ = -1;
  if (events_ != nullptr)
    events_->PortClosed();
}

void AlternativePort::Write(std::string_view bytes) {
  while (IsOpen() && !bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
    } else if (written < 0 && errno == EAGAIN) {
      pollfd watch{fd_, POLLOUT, 0};
      if (::poll(&watch, 1, 1000) <= 0)
        return;  // write failures are ignored
    } else if (!(written < 0 && errno == EINTR)) {
      return;
    }
  }
}

}  // namespace kelvra::link
