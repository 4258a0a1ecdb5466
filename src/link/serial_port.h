#pragma once

#include <string>
#include <string_view>

namespace kelvra::link {

struct PortSettings {
  std::string name;
  int baudRate = 9600;
  // With an ELM chip the prompt ends every response: the port reports it as the event character.
  bool eventCharEnabled = true;
  char eventChar = '>';
};

// What a port tells its owner, always on the user-interface thread. For one batch of input the
// received bytes come before the event character.
class PortEvents {
 public:
  virtual ~PortEvents() = default;
  virtual void PortOpened() = 0;
  virtual void PortClosed() = 0;
  virtual void PortError(std::string_view what) = 0;
  virtual void BytesReceived(std::string_view bytes) = 0;
  virtual void EventCharReceived() = 0;
};

// A serial line to the interface: the port component or the program's own port.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  virtual void SetEvents(PortEvents* events) = 0;
  virtual bool IsOpen() const = 0;
  // Opens the named device with the settings and reports PortOpened; throws kelvra::Error when the
  // device cannot be opened.
  virtual void Open(const PortSettings& settings) = 0;
  // Closes the device and reports PortClosed; nothing when it is not open.
  virtual void Close() = 0;
  virtual void Write(std::string_view bytes) = 0;
};

}  // namespace kelvra::link
