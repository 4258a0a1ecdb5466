#pragma once

#include <string>

namespace kelvra::simulator {

// A pseudo-terminal pair: the master end for the simulator, the slave end (/dev/pts/N) for the
// program. The slave is set raw (no echo, no CR/LF translation) and kept open here, so the master
// neither reports a hang-up before the program opens the slave nor when it closes it to reopen.
class PtyDevice {
 public:
  PtyDevice() = default;
  ~PtyDevice() { Close(); }
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;

  // A new pair; throws kelvra::Error when the system has none to give.
  void Open();
  // Closes both ends: whoever holds the slave sees the line hang up.
  void Close();
  bool IsOpen() const { return master_ >= 0; }
  // Non-blocking.
  int Master() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // A real serial device forgets its exclusive mode (TIOCEXCL) when its last user closes it; the
  // slave held here never closes, so the mode is cleared instead, or an unprivileged program could
  // not open the port again after closing it.
  void ClearExclusive() const;

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// Makes linkPath a symbolic link to target, atomically replacing an earlier link. Throws
// kelvra::Error when linkPath names something other than a symbolic link, or cannot be written.
void PointLink(const std::string& linkPath, const std::string& target);
// Removes linkPath when it is a symbolic link to target; leaves anything else alone.
void RemoveLink(const std::string& linkPath, const std::string& target);

}  // namespace kelvra::simulator
