// The answer handling with the live diagnostics attached, as the tab "Diagnostique" runs them:
// bytes from the port framed, classified and handled while the rotation polls the checked rows,
// the live modes (power, consumption, performance timing) run, the live chart is fed and the
// diagnostic log is written to a file; between the bytes, answer timeouts, ticks of the
// acceleration readout and the user clicking the tab's buttons or typing in its settings.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/errors.h"
#include "common/program_folder.h"
#include "diagnostics/diagnostics_station.h"
#include "fuzz_input.h"
#include "power/curve_set.h"
#include "support/link_rig.h"

using namespace kelvra;

namespace {

// The program folder of this process: the log switch opens logdiag1.log, logdiag2.log... there.
std::filesystem::path Folder() {
  const char* dir = getenv("TMPDIR");
  std::filesystem::path folder = std::filesystem::path(dir != nullptr ? dir : "/tmp") /
                                 ("kelvra_fuzz_diag_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  return folder;
}

// A constant-torque curve for the live power.
const power::CurveSet& Curves() {
  static const power::CurveSet curves = [] {
    power::CurveSet set;
    set.columns[0] = {140};
    set.curveCount = 1;
    set.r0 = 1000;
    set.rfin = 6500;
    return set;
  }();
  return curves;
}

void Click(diagnostics::DiagnosticsStation& diag, unsigned char option) {
  diagnostics::DisplayControls& d = diag.panel.display;
  diagnostics::LiveModeControls& m = diag.panel.modes;
  diagnostics::PerformanceControls& p = diag.panel.performance;
  switch (option % 16) {
    case 0:
      d.visualise.UserClick();
      break;
    case 1:
      d.logBox.UserToggle();
      break;
    case 2:
      m.power.UserClick();
      break;
    case 3:
      m.consumption.UserClick();
      break;
    case 4:
      p.toggle.UserClick();
      break;
    case 5:
      m.showChart.UserClick();
      break;
    case 6:
      m.resetChart.UserClick();
      break;
    case 7:
      m.barometer.UserClick();
      break;
    case 8:
      m.boostAlert.UserToggle();
      break;
    case 9:
      p.resetMax.UserClick();
      break;
    case 10:
      p.beep.UserToggle();
      break;
    case 11:
      p.zeroTo100.UserSelect();
      break;
    case 12:
      p.fromTo.UserSelect();
      break;
    case 13:
      p.metres400.UserSelect();
      break;
    case 14:
      p.flying.UserSelect();
      break;
    default:
      d.pidList.UserToggleItem((option / 16) % diagnostics::kPidCount);
      break;
  }
}

// Every setting the live diagnostics read, typed by the user.
form::Edit& Setting(diagnostics::DiagnosticsStation& diag, unsigned char option) {
  diagnostics::LiveModeControls& m = diag.panel.modes;
  diagnostics::PerformanceControls& p = diag.panel.performance;
  diagnostics::VehicleRtControls& v = diag.vehicle;
  form::Edit* const edits[] = {
      &m.atmosphere,  &m.boostMax,        &p.fromSpeed,     &p.toSpeed,         &p.flyingDistance,
      &p.flyingSpeed, &v.dieselRatio,     &v.dieselDensity, &v.dieselMolarMass, &v.petrolDensity,
      &v.filling,     &v.petrolMolarMass, &v.displacement};
  return *edits[option % (sizeof(edits) / sizeof(edits[0]))];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = Folder();
  static const std::string logPath = (folder / "poll.log").string();
  fuzz::FuzzInput input(data, size);
  testing::LinkRig rig;
  diagnostics::DiagnosticsStation diag(rig.station);
  const unsigned char setup = input.Option();
  try {
    if ((setup & 1) != 0)
      rig.ConnectMobydicOnline();
    else
      rig.ConnectElmOnline();
  } catch (const Error&) {
  }
  if ((setup & 2) != 0)
    diag.live.display.OpenDiagLogAt(logPath);
  if ((setup & 4) != 0)
    diag.live.modes.SetCurves(&Curves());
  diag.vehicle.diesel.SetChecked((setup & 8) != 0);
  diag.vehicle.airFlow.SetChecked((setup & 16) == 0);
  diag.vehicle.loadIsClv.SetChecked((setup & 32) == 0);

  while (!input.Empty()) {
    const unsigned char step = input.Option();
    try {
      switch (step & 7) {
        case 0:
        case 1:
          rig.port.Feed(input.Batch());
          break;
        case 2:
          rig.port.FeedBytewise(input.Batch());
          break;
        case 3:
          // No answer in time, or a tick of the acceleration readout.
          rig.env.clock.Advance((step & 8) != 0 ? link::LinkEngine::kInitAnswerTimeoutMs : 1000);
          break;
        case 4:
        case 5:
          Click(diag, input.Option());
          break;
        case 6:
          Setting(diag, step >> 3).SetText(input.Batch());
          break;
        case 7:
          rig.env.clock.Advance(step >> 3);
          break;
      }
    } catch (const Error&) {
      // reported to the user at the event's boundary; the polling goes on
    }
  }
  diag.live.display.CloseDiagLog();
  // Each input starts from an empty folder, as logdiag<n>.log takes the first free number.
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    std::filesystem::remove(entry.path(), error);
  return 0;
}
