#pragma once

#include <array>

#include "acquisition/recorder_panel.h"
#include "acquisition/run_recorder.h"
#include "acquisition/run_selection.h"
#include "link/link_station.h"

namespace kelvra::acquisition {

// The recorder on the link station's window, with the few controls of other tabs it reads (the
// gear, the speeds per 1000 tr/mn, the clock switch): for programs without the main window
// (kelvra-cli) and for tests. Attached to the station's answer handling.
class RecorderStation {
 public:
  explicit RecorderStation(link::LinkStation& station);
  ~RecorderStation();
  RecorderStation(const RecorderStation&) = delete;
  RecorderStation& operator=(const RecorderStation&) = delete;

  RecorderPanel panel;
  form::CheckBox& clockResync;  // cbRH
  form::ComboBox& gear;         // cbGear, "1" to "6", "3" at start
  std::array<form::Edit*, 6> gearSpeeds;
  RunRecorder recorder;
  RunSelection selection;

 private:
  link::LinkStation& station_;
};

}  // namespace kelvra::acquisition
