#pragma once

#include "acquisition/recorder_controls.h"
#include "acquisition/run_buffer.h"
#include "link/dialogue_log.h"

namespace kelvra::acquisition {

// The time window picked with the mouse on the run plot, and its export to a run file.
class RunSelection {
 public:
  RunSelection(const RunBuffer& buffer, RecorderControls controls, link::DialogueLog& log);
  RunSelection(const RunSelection&) = delete;
  RunSelection& operator=(const RunSelection&) = delete;

  void img1MouseDown(int x);
  void img1MouseMove(int x);
  void img1MouseUp(int x);
  // "Exporter vers fichier": the samples with t0 <= time <= t1 to the chosen file.
  void btExpClick();

  bool Selecting() const { return selecting_; }
  float T0() const { return t0_; }
  float T1() const { return t1_; }

 private:
  const RunBuffer& buffer_;
  RecorderControls controls_;
  link::DialogueLog& log_;
  bool selecting_ = false;
  int startX_ = 0;
  float t0_ = 0;
  float t1_ = 0;
};

}  // namespace kelvra::acquisition
