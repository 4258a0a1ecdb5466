#include "app/drag_race_window.h"

#include <algorithm>

#include "acceleration/truncation.h"
#include "common/number_text.h"

namespace kelvra::app {

namespace {

constexpr int kViewLeft = 20;  // left of Shape3: the track view's origin
constexpr int kCarTop1 = 18;
constexpr int kCarTop2 = 26;
// Steps a late timer may catch up in one tick, so that the window keeps answering.
constexpr int kMaxStepsPerTick = 50;
constexpr double kSecondsPerDay = 86400;

form::Image& Shape(form::Window& window, const char* name, int left, int top, int width, int height,
                   form::Color fill) {
  auto& image = window.Add<form::Image>(name, nullptr, width, height);
  image.SetBounds(left, top, width, height);
  form::Canvas& canvas = image.GetCanvas();
  canvas.SetPenColor(fill == form::kWhite ? form::kBlack : fill);
  canvas.SetBrushColor(fill);
  canvas.Rectangle(0, 0, width, height);
  return image;
}

form::Label& RaceLabel(form::Window& window, const char* name, form::Container* parent,
                       const char* caption, int left, int top, form::Color color = form::kBlack,
                       bool bold = false) {
  auto& label = window.Add<form::Label>(name, parent, caption);
  label.SetBounds(left, top, 0, 0);
  label.SetFont({color, 8, bold});
  return label;
}

}  // namespace

DragRaceWindow::DragRaceWindow(form::Services& services)
    : form::Window(services, "Form4", "Animation", 1037, 233),
      track(Shape(*this, "Shape1", 8, 10, 1020, 30, form::kWhite)),
      firstPart(Shape(*this, "Shape3", kViewLeft, 14, 400, 22, form::kSilver)),
      mark0(RaceLabel(*this, "Label1", nullptr, "0", 17, 44)),
      mark400(RaceLabel(*this, "Label2", nullptr, "400", 409, 44)),
      mark1000(RaceLabel(*this, "Label3", nullptr, "1000", 1001, 44)),
      car1(Shape(*this, "shCar1", 16, kCarTop1, 4, 2, form::kRed)),
      car2(Shape(*this, "shCar2", 16, kCarTop2, 4, 2, form::kBlue)),
      go(Add<form::Button>("Button1", nullptr, "GO")),
      stop(Add<form::Button>("Button2", nullptr, "Stop")),
      end1000(Add<form::CheckBox>("cb1000m", nullptr, "1000m", true)),
      statistics(Add<form::Panel>("GroupBox1", nullptr, "Statistiques", true)),
      elapsed(RaceLabel(*this, "Label4", &statistics, "0s", 110, 18)),
      gap(RaceLabel(*this, "Label11", &statistics, "0m 0km/h", 110, 38)),
      speed1(RaceLabel(*this, "Label5", &statistics, "0km/h", 150, 62, form::kRed)),
      speed2(RaceLabel(*this, "Label7", &statistics, "0km/h", 540, 62, form::kBlue)),
      results1(Add<form::Memo>("Memo1", &statistics)),
      results2(Add<form::Memo>("Memo2", &statistics)),
      pace(Add<form::Timer>("Timer1", nullptr, kStepMs, false)) {
  go.SetBounds(8, 64, 75, 25);
  stop.SetBounds(90, 64, 75, 25);
  end1000.SetBounds(175, 68, 60, 18);
  statistics.SetBounds(250, 60, 779, 168);
  RaceLabel(*this, "Label9", &statistics, "Temps écoulé :", 8, 18);
  RaceLabel(*this, "Label10", &statistics, "Ecart :", 8, 38);
  RaceLabel(*this, "Label6", &statistics, "Véhicule actuel", 8, 62, form::kRed, true);
  RaceLabel(*this, "Label8", &statistics, "Véhicule mémorisé", 390, 62, form::kBlue, true);
  results1.SetBounds(8, 82, 370, 80);
  results1.SetFont({form::kRed, 8, false});
  results1.SetReadOnly(true);
  results2.SetBounds(390, 82, 370, 80);
  results2.SetFont({form::kBlue, 8, false});
  results2.SetReadOnly(true);
  SetVisible(false);

  go.onClick = [this](form::Control&) { RunDragRace(); };
  stop.onClick = [this](form::Control&) { StopDragRace(); };
  pace.onTimer = [this](form::Control&) { Tick(); };
}

void DragRaceWindow::RunDragRace() {
  // One race at a time: "GO" while racing changes nothing.
  if (racing_)
    return;
  const acceleration::RaceEnvelope current =
      currentEnvelope ? currentEnvelope() : acceleration::RaceEnvelope{};
  const acceleration::RaceEnvelope memorised =
      memorisedEnvelope ? memorisedEnvelope() : acceleration::RaceEnvelope{};
  if (auto message = race_.Start(current, memorised)) {
    services().dialogs.ShowMessage(*message);
    return;
  }
  running_ = true;
  racing_ = true;
  startClock_ = services().clock.Now();
  ShowTrackMarks();
  // The first step is due at once; the timer brings the others.
  Tick();
  if (racing_)
    pace.SetEnabled(true);
}

void DragRaceWindow::StopDragRace() {
  running_ = false;
}

bool DragRaceWindow::GoesOn() const {
  return running_ && !(end1000.Checked() && race_.PastFinish());
}

void DragRaceWindow::Tick() {
  if (!racing_)
    return;
  // The whole elapsed time counts, hours included, so a long race never stalls.
  const double seconds = (services().clock.Now() - startClock_) * kSecondsPerDay;
  for (int n = 0; n < kMaxStepsPerTick && GoesOn() && seconds + 1e-4 >= race_.SimTime(); ++n)
    StepOnce();
  if (!GoesOn()) {
    racing_ = false;
    pace.SetEnabled(false);
  }
}

void DragRaceWindow::PlaceCar(form::Image& car, float dist) {
  const form::Bounds b = car.GetBounds();
  const auto left =
      acceleration::Trunc(kViewLeft + static_cast<double>(dist) - race_.TrackOffset());
  car.SetBounds(static_cast<int>(std::clamp<std::int64_t>(left, -100000, 100000)), b.top, b.width,
                b.height);
}

void DragRaceWindow::ShowTrackMarks() {
  const int offset = race_.TrackOffset();
  mark0.SetCaption(FormatInteger(offset - 4));
  mark400.SetCaption(FormatInteger(offset + 396));
  mark1000.SetCaption(FormatInteger(offset + 996));
}

void DragRaceWindow::StepOnce() {
  const acceleration::RaceStepReport report = race_.Step();
  PlaceCar(car1, race_.Car1().dist);
  if (race_.Car2Runs()) {
    PlaceCar(car2, race_.Car2().dist);
    gap.SetCaption(race_.GapText());
  }
  elapsed.SetCaption(race_.ElapsedText());
  speed1.SetCaption(acceleration::DragRace::SpeedText(race_.Car1()));
  speed2.SetCaption(acceleration::DragRace::SpeedText(race_.Car2()));
  for (const std::string& line : report.lines1)
    results1.AddLine(line);
  for (const std::string& line : report.lines2)
    results2.AddLine(line);
  if (report.trackMoved)
    ShowTrackMarks();
}

}  // namespace kelvra::app
