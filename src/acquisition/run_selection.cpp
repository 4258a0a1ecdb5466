#include "acquisition/run_selection.h"

#include <cmath>

#include "acquisition/run_file.h"
#include "acquisition/run_plot.h"
#include "common/number_text.h"
#include "common/program_folder.h"

namespace kelvra::acquisition {

namespace {

// Milliseconds truncated, as the selection text shows a bound.
std::string BoundText(float seconds) {
  return FormatGeneral(std::trunc(static_cast<double>(seconds) * 1000) * 0.001) + "s";
}

}  // namespace

RunSelection::RunSelection(const RunBuffer& buffer, RecorderControls controls,
                           link::DialogueLog& log)
    : buffer_(buffer), controls_(controls), log_(log) {
  form::Image& plot = controls_.plot;
  plot.onMouseDown = [this](form::Control&, const form::MouseEvent& e) { img1MouseDown(e.x); };
  plot.onMouseMove = [this](form::Control&, const form::MouseEvent& e) { img1MouseMove(e.x); };
  plot.onMouseUp = [this](form::Control&, const form::MouseEvent& e) { img1MouseUp(e.x); };
  controls_.exportButton.onClick = [this](form::Control&) { btExpClick(); };
}

void RunSelection::img1MouseDown(int x) {
  selecting_ = true;
  startX_ = x;
  controls_.selectionFrame.SetVisible(true);
  controls_.selectionText.SetVisible(true);
  form::Bounds frame = controls_.selectionFrame.GetBounds();
  frame.left = controls_.plot.GetBounds().left + x;
  frame.width = 1;
  controls_.selectionFrame.SetBounds(frame);
}

void RunSelection::img1MouseMove(int x) {
  // A drag to the left of its start leaves the frame as it is.
  if (!selecting_ || x <= startX_)
    return;
  form::Bounds frame = controls_.selectionFrame.GetBounds();
  frame.width = x - startX_;
  controls_.selectionFrame.SetBounds(frame);
}

void RunSelection::img1MouseUp(int x) {
  selecting_ = false;
  if (x > startX_) {
    form::Bounds frame = controls_.selectionFrame.GetBounds();
    frame.width = x - startX_;
    controls_.selectionFrame.SetBounds(frame);
  }
  // The inverse of the plot's time mapping; a release left of the start gives t1 < t0, an empty
  // window.
  const double scale = PlotTimeScale(controls_.plot.Width(), buffer_);
  t0_ = static_cast<float>((startX_ - kPlotLeftMargin) / scale);
  t1_ = static_cast<float>((x - kPlotLeftMargin) / scale);
  controls_.selectionText.SetText(BoundText(t0_) + " -> " + BoundText(t1_));
  controls_.exportButton.SetEnabled(true);
  controls_.showCurves.SetEnabled(true);
}

void RunSelection::btExpClick() {
  form::FileDialog& dialog = controls_.saveDialog;
  dialog.SetInitialDir(ProgramFolder());
  dialog.SetDefaultExt("txt");
  if (!dialog.Execute())
    return;
  const std::string& path = dialog.FileName();
  // A file that cannot be created is reported before anything claims the extraction started.
  std::ofstream out = CreateRunFile(path);
  log_.State("Démarrage de l'extraction.");
  WriteRunLines(out, RunLines(buffer_, t0_, t1_), path);
  log_.State("Extraction terminée.");
}

}  // namespace kelvra::acquisition
