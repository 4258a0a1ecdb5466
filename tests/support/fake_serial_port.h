#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "link/serial_port.h"

namespace kelvra::testing {

// A serial port in memory: records what is written and delivers test bytes as a port does,
// received characters first and then the event character when the batch holds it.
class FakeSerialPort : public link::SerialPort {
 public:
  void SetEvents(link::PortEvents* events) override { events_ = events; }
  bool IsOpen() const override { return open_; }
  void Open(const link::PortSettings& settings) override {
    if (failOpen)
      throw Error("Erreur ouverture port.");
    settings_ = settings;
    open_ = true;
    ++opens;
    if (events_ != nullptr)
      events_->PortOpened();
  }
  void Close() override {
    if (!open_)
      return;
    open_ = false;
    if (events_ != nullptr)
      events_->PortClosed();
  }
  void Write(std::string_view bytes) override {
    writes.emplace_back(bytes);
    wire += bytes;
  }

  // Bytes arriving from the interface in one batch.
  void Feed(std::string_view bytes) {
    if (events_ == nullptr)
      return;
    events_->BytesReceived(bytes);
    if (settings_.eventCharEnabled && bytes.find(settings_.eventChar) != std::string_view::npos) {
      events_->EventCharReceived();
    }
  }
  // Bytes one at a time, as the program's own port reads them.
  void FeedBytewise(std::string_view bytes) {
    for (char c : bytes)
      Feed(std::string_view(&c, 1));
  }

  const link::PortSettings& Settings() const { return settings_; }
  std::string LastWrite() const { return writes.empty() ? std::string() : writes.back(); }
  void ClearWrites() {
    writes.clear();
    wire.clear();
  }

  std::vector<std::string> writes;
  std::string wire;
  bool failOpen = false;
  int opens = 0;

 private:
  link::PortEvents* events_ = nullptr;
  link::PortSettings settings_;
  bool open_ = false;
};

}  // namespace kelvra::testing
