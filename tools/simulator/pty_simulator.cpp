#include "simulator/pty_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <vector>

#include "common/errors.h"
#include "simulator/wire_pacing.h"

namespace kelvra::simulator {

namespace {

// How long the thread sleeps in poll when nothing happens: also the longest a closed port keeps
// its exclusive mode (see PtyDevice::ClearExclusive).
constexpr int kPollMs = 20;

}  // namespace

PtySimulator::PtySimulator(PtyOptions options)
    : options_(std::move(options)),
      model_(options_.car),
      responder_(model_, options_.responder),
      lastAdvance_(std::chrono::steady_clock::now()) {}

PtySimulator::~PtySimulator() {
  Stop();
}

std::string PtySimulator::Start() {
  if (thread_.joinable())
    return Path();
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
    throw Error("Simulateur : création du tube de réveil impossible");
  try {
    std::lock_guard lock(mutex_);
    OpenLine();
    lastAdvance_ = std::chrono::steady_clock::now();
  } catch (...) {
    ::close(wake_[0]);
    ::close(wake_[1]);
    wake_[0] = wake_[1] = -1;
    throw;
  }
  thread_ = std::thread(&PtySimulator::Serve, this);
  return Path();
}

void PtySimulator::Stop() {
  if (thread_.joinable()) {
    Post(Request::Stop);
    thread_.join();
  }
  std::lock_guard lock(mutex_);
  pty_.Close();
  lineUp_ = false;
  RemoveLink(options_.linkPath, slavePath_);
  for (int& fd : wake_) {
    if (fd >= 0)
      ::close(fd);
    fd = -1;
  }
}

std::string PtySimulator::Path() const {
  std::lock_guard lock(mutex_);
  return options_.linkPath.empty() ? slavePath_ : options_.linkPath;
}

std::string PtySimulator::SlavePath() const {
  std::lock_guard lock(mutex_);
  return slavePath_;
}

void PtySimulator::StartPull(int gear, double fromRpm) {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  model_.StartPull(gear, fromRpm);
}

void PtySimulator::HoldSpeed(int gear, double kmh) {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  model_.HoldSpeed(gear, kmh);
}

void PtySimulator::SetIdle() {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  model_.SetIdle();
}

void PtySimulator::StartStandingStart() {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  model_.StartStandingStart();
}

std::optional<double> PtySimulator::SprintTimeTo(double kmh) {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  return model_.SprintTimeTo(kmh);
}

void PtySimulator::DropNextAnswer() {
  std::lock_guard lock(mutex_);
  faults_.DropNext();
}

void PtySimulator::GarbleNextAnswer() {
  std::lock_guard lock(mutex_);
  faults_.GarbleNext();
}

void PtySimulator::InjectBusReport(BusReport report) {
  std::lock_guard lock(mutex_);
  responder_.InjectBusReport(report);
}

void PtySimulator::ForcePidData(int pid, DataBytes data) {
  std::lock_guard lock(mutex_);
  responder_.Ecu().Force(pid, std::move(data));
}

void PtySimulator::HangUp() {
  if (thread_.joinable())
    Post(Request::HangUp);
}

std::string PtySimulator::Resume() {
  if (!thread_.joinable())
    return Start();
  Post(Request::Resume);
  return Path();
}

SimulatorStatus PtySimulator::Status() {
  std::lock_guard lock(mutex_);
  AdvanceModel();
  SimulatorStatus status;
  status.rpm = model_.Rpm();
  status.speedKmh = model_.SpeedKmh();
  status.gear = model_.Gear();
  status.requests = responder_.RequestCount();
  status.answers = answers_;
  status.lineUp = lineUp_;
  status.path = options_.linkPath.empty() ? slavePath_ : options_.linkPath;
  return status;
}

std::uint64_t PtySimulator::RequestsSeen() const {
  std::lock_guard lock(mutex_);
  return responder_.RequestCount();
}

// The thread owns the descriptors while it runs: the other threads ask it to close or reopen the
// line and wait until it has.
void PtySimulator::Post(Request request) {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [&] { return request_ == Request::None; });
  request_ = request;
  requestError_.clear();
  const std::uint64_t ticket = ++posted_;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
  done_.wait(lock, [&] { return handled_ >= ticket; });
  if (!requestError_.empty())
    throw Error(requestError_);
}

bool PtySimulator::HandleRequest() {
  std::lock_guard lock(mutex_);
  const Request request = request_;
  if (request == Request::None)
    return true;
  try {
    if (request == Request::HangUp) {
      pty_.Close();
      lineUp_ = false;
    } else if (request == Request::Resume) {
      OpenLine();
    }
  } catch (const Error& error) {
    requestError_ = error.what();
  }
  request_ = Request::None;
  handled_ = posted_;
  done_.notify_all();
  return request != Request::Stop;
}

void PtySimulator::OpenLine() {
  pty_.Open();
  slavePath_ = pty_.SlavePath();
  if (!options_.linkPath.empty())
    PointLink(options_.linkPath, slavePath_);
  responder_.PowerUp();
  lineUp_ = true;
}

void PtySimulator::AdvanceModel() {
  const SteadyTime now = std::chrono::steady_clock::now();
  model_.Advance(std::chrono::duration<double>(now - lastAdvance_).count());
  lastAdvance_ = now;
}

bool PtySimulator::WaitUntil(SteadyTime deadline) {
  for (;;) {
    const auto remaining = deadline - std::chrono::steady_clock::now();
    if (remaining <= std::chrono::nanoseconds(0))
      return true;
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(remaining);
    const timespec timeout{static_cast<time_t>(nanoseconds.count() / 1'000'000'000),
                           static_cast<long>(nanoseconds.count() % 1'000'000'000)};
    pollfd watch{wake_[0], POLLIN, 0};
    if (::ppoll(&watch, 1, &timeout, nullptr) > 0)
      return false;  // a request is waiting: it comes first
  }
}

void PtySimulator::DrainWake() {
  char bytes[64];
  while (::read(wake_[0], bytes, sizeof bytes) > 0) {
  }
}

void PtySimulator::Serve() {
  const bool text = options_.responder.kind != InterfaceKind::Mobydic;
  const auto wait = [this](SteadyTime deadline) { return WaitUntil(deadline); };
  for (;;) {
    DrainWake();
    if (!HandleRequest())
      return;
    if (!pty_.IsOpen()) {
      pollfd watch{wake_[0], POLLIN, 0};
      ::poll(&watch, 1, -1);
      continue;
    }
    pty_.ClearExclusive();
    pollfd watch[2] = {{pty_.Master(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (::poll(watch, 2, kPollMs) <= 0 || (watch[1].revents & POLLIN) != 0)
      continue;
    char bytes[4096];
    const ssize_t count =
        (watch[0].revents & POLLIN) != 0 ? ::read(pty_.Master(), bytes, sizeof bytes) : -1;
    if (count <= 0) {
      // Not expected while the slave is held open; never spin on it.
      WaitUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(kPollMs));
      continue;
    }
    std::vector<std::string> outgoing;
    {
      std::lock_guard lock(mutex_);
      AdvanceModel();
      for (std::string& answer : responder_.Feed(std::string_view(bytes, count))) {
        if (auto sent = faults_.Apply(std::move(answer), text))
          outgoing.push_back(std::move(*sent));
      }
    }
    for (const std::string& answer : outgoing) {
      if (options_.latency.count() > 0 &&
          !WaitUntil(std::chrono::steady_clock::now() + options_.latency))
        break;
      if (!WritePaced(pty_.Master(), answer, options_.baudRate, wait))
        break;
      ++answers_;
    }
  }
}

}  // namespace kelvra::simulator
