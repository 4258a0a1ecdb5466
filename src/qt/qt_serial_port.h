#pragma once

#include <QSerialPort>
#include <string>
#include <vector>

#include "form/services.h"
#include "link/serial_port.h"

namespace kelvra::qt {

// The port component on Qt SerialPort: 8N1, no flow control, DTR and RTS off, the rate set at each
// opening. Its notifications come from the event loop of the user-interface thread, each as a user
// action; the received bytes of a batch always come before its event character.
class QtSerialPort : public link::SerialPort {
 public:
  explicit QtSerialPort(form::Services& services);
  ~QtSerialPort() override;

  void SetEvents(link::PortEvents* events) override { events_ = events; }
  bool IsOpen() const override { return port_.isOpen(); }
  void Open(const link::PortSettings& settings) override;
  void Close() override;
  void Write(std::string_view bytes) override;

 private:
  void BytesArrived();
  void ErrorOccurred(QSerialPort::SerialPortError error);

  form::Services& services_;
  link::PortEvents* events_ = nullptr;
  QSerialPort port_;
  link::PortSettings settings_;
  bool reporting_ = false;
};

// The serial devices of the system (USB adapters, Bluetooth links, on-board ports), sorted.
std::vector<std::string> ListSerialPorts();

}  // namespace kelvra::qt
