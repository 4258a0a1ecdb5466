#pragma once

#include <functional>

#include "acceleration/drag_race.h"
#include "common/date_time.h"
#include "form/button_controls.h"
#include "form/image.h"
#include "form/text_controls.h"
#include "form/timer.h"
#include "form/window.h"

namespace kelvra::app {

// TForm4 "Animation": the drag race of the current envelope against the memorised one, two small
// cars on a track where a pixel is a metre. One step of the race runs per 10 ms of wall-clock
// time, from a timer, so the window answers between steps.
class DragRaceWindow : public form::Window {
 public:
  static constexpr int kStepMs = 10;

  explicit DragRaceWindow(form::Services& services);

  // Button1Click "GO": starts a race, unless one is running.
  void RunDragRace();
  // Button2Click "Stop": the race ends before its next step.
  void StopDragRace();
  bool Racing() const { return racing_; }
  const acceleration::DragRace& Race() const { return race_; }

  // The envelopes as the diagram tab holds them when a race starts.
  std::function<acceleration::RaceEnvelope()> currentEnvelope;
  std::function<acceleration::RaceEnvelope()> memorisedEnvelope;

  form::Image& track;       // Shape1
  form::Image& firstPart;   // Shape3, the first 400 m of the view
  form::Label& mark0;       // Label1
  form::Label& mark400;     // Label2
  form::Label& mark1000;    // Label3
  form::Image& car1;        // shCar1
  form::Image& car2;        // shCar2
  form::Button& go;         // Button1
  form::Button& stop;       // Button2
  form::CheckBox& end1000;  // cb1000m
  form::Panel& statistics;  // GroupBox1
  form::Label& elapsed;     // Label4
  form::Label& gap;         // Label11
  form::Label& speed1;      // Label5
  form::Label& speed2;      // Label7
  form::Memo& results1;     // Memo1
  form::Memo& results2;     // Memo2
  form::Timer& pace;        // Timer1

 private:
  void Tick();
  bool GoesOn() const;
  void StepOnce();
  void PlaceCar(form::Image& car, float dist);
  void ShowTrackMarks();

  acceleration::DragRace race_;
  bool racing_ = false;
  bool running_ = false;
  DateTime startClock_ = 0;
};

}  // namespace kelvra::app
