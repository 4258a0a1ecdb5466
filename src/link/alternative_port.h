#pragma once

#include <string>
#include <string_view>

#include "form/services.h"
#include "link/serial_port.h"

namespace kelvra::link {

// The program's own serial port (myComPort): POSIX termios, no reader thread. Open runs the read
// loop on the caller's thread, one byte per read with a 55 ms timeout, letting pending events
// through after every byte or timeout, and returns only once Close has ended the loop.
class AlternativePort : public SerialPort {
 public:
  static constexpr int kReadTimeoutMs = 55;

  explicit AlternativePort(form::Services& services);
  ~AlternativePort() override;
  AlternativePort(const AlternativePort&) = delete;
  AlternativePort& operator=(const AlternativePort&) = delete;

  void SetEvents(PortEvents* events) override { events_ = events; }
  bool IsOpen() const override { return fd_ >= 0; }
  // Throws Error "Erreur ouverture port." for a missing or busy device; nothing is raised then.
  void Open(const PortSettings& settings) override;
  void Close() override;
  void Write(std::string_view bytes) override;
  // Drops what waits in the transmit buffer, then in the receive buffer.
  void Purge();
  bool Reading() const { return reading_; }

 private:
  void Configure(int baudRate);
  void ReadLoop();
  void LineDropped();

  form::Services& services_;
  PortEvents* events_ = nullptr;
  int fd_ = -1;
  bool reading_ = false;
  bool eventCharOn_ = false;
  char eventChar_ = '>';
};

}  // namespace kelvra::link
