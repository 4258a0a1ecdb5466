#include "simulator/pty_device.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"

namespace kelvra::simulator {

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw Error(what + " : " + std::strerror(errno));
}

std::string ReadLink(const std::string& path) {
  char buffer[4096];
  const ssize_t size = ::readlink(path.c_str(), buffer, sizeof buffer);
  return size < 0 ? std::string() : std::string(buffer, static_cast<size_t>(size));
}

}  // namespace

void PtyDevice::Open() {
  Close();
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0)
    Fail("Pas de pseudo-terminal disponible");
  char name[256];
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
      ::ptsname_r(master, name, sizeof name) != 0) {
    const int error = errno;
    ::close(master);
    errno = error;
    Fail("Pseudo-terminal inutilisable");
  }
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) {
    const int error = errno;
    ::close(master);
    errno = error;
    Fail(std::string("Ouverture impossible de ") + name);
  }
  termios settings{};
  if (::tcgetattr(slave, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B38400);
    ::tcsetattr(slave, TCSANOW, &settings);
  }
  master_ = master;
  slave_ = slave;
  slavePath_ = name;
}

void PtyDevice::Close() {
  if (slave_ >= 0)
    ::close(slave_);
  if (master_ >= 0)
    ::close(master_);
  slave_ = master_ = -1;
}

void PtyDevice::ClearExclusive() const {
  if (slave_ >= 0)
    ::ioctl(slave_, TIOCNXCL);
}

void PointLink(const std::string& linkPath, const std::string& target) {
  struct stat status {};
  if (::lstat(linkPath.c_str(), &status) == 0 && !S_ISLNK(status.st_mode)) {
    errno = EEXIST;
    Fail("Le lien " + linkPath + " ne peut remplacer ce qui existe déjà");
  }
  // Built beside the link and renamed over it, so a program never finds the name missing.
  const std::string temporary = linkPath + ".nouveau." + std::to_string(::getpid());
  ::unlink(temporary.c_str());
  if (::symlink(target.c_str(), temporary.c_str()) != 0)
    Fail("Création impossible du lien " + linkPath);
  if (::rename(temporary.c_str(), linkPath.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
    Fail("Création impossible du lien " + linkPath);
  }
}

void RemoveLink(const std::string& linkPath, const std::string& target) {
  if (!linkPath.empty() && ReadLink(linkPath) == target)
    ::unlink(linkPath.c_str());
}

}  // namespace kelvra::simulator
