#pragma once

#include <string>
#include <string_view>

#include "link/serial_port.h"

namespace kelvra::testing {

// A real port with a tap on what the program writes to it.
class TappedPort : public link::SerialPort {
 public:
  explicit TappedPort(link::SerialPort& port) : port_(port) {}
  void SetEvents(link::PortEvents* events) override { port_.SetEvents(events); }
  bool IsOpen() const override { return port_.IsOpen(); }
  void Open(const link::PortSettings& settings) override { port_.Open(settings); }
  void Close() override { port_.Close(); }
  void Write(std::string_view bytes) override {
    written += bytes;
    port_.Write(bytes);
  }

  std::string written;

 private:
  link::SerialPort& port_;
};

}  // namespace kelvra::testing
