#pragma once

#include <cstddef>
#include <string_view>

#include "link/serial_port.h"

namespace kelvra::bench {

// A real port that counts the bytes both ways, for figures against the wire limit.
class MeteredPort : public link::SerialPort, public link::PortEvents {
 public:
  explicit MeteredPort(link::SerialPort& port) : port_(port) {}
  void SetEvents(link::PortEvents* events) override {
    events_ = events;
    port_.SetEvents(events != nullptr ? this : nullptr);
  }
  bool IsOpen() const override { return port_.IsOpen(); }
  void Open(const link::PortSettings& settings) override { port_.Open(settings); }
  void Close() override { port_.Close(); }
  void Write(std::string_view bytes) override {
    sent += bytes.size();
    port_.Write(bytes);
  }
  void PortOpened() override { events_->PortOpened(); }
  void PortClosed() override { events_->PortClosed(); }
  void PortError(std::string_view what) override { events_->PortError(what); }
  void BytesReceived(std::string_view bytes) override {
    received += bytes.size();
    events_->BytesReceived(bytes);
  }
  void EventCharReceived() override { events_->EventCharReceived(); }

  std::size_t sent = 0;
  std::size_t received = 0;

 private:
  link::SerialPort& port_;
  link::PortEvents* events_ = nullptr;
};

}  // namespace kelvra::bench
