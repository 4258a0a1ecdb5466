#include "acquisition/run_plot.h"

#include <cmath>

#include "common/number_text.h"

namespace kelvra::acquisition {

namespace {

int Trunc(double value) {
  return static_cast<int>(std::trunc(value));
}

// Whole seconds shown on the time axis: at least one.
int SecondsShown(const RunBuffer& buffer) {
  return Trunc(static_cast<double>(buffer.LastTime()) + 1);
}

}  // namespace

double PlotTimeScale(int plotWidth, const RunBuffer& buffer) {
  return static_cast<double>(plotWidth - kPlotLeftMargin) / SecondsShown(buffer);
}

void DrawRunPlot(form::Image& image, const RunBuffer& buffer, int gaugeMaximum) {
  const int width = image.Width();
  const int height = image.Height();
  const int base = height - kPlotBottomMargin;
  const double sy = static_cast<double>(base) / (gaugeMaximum * 10.0);
  form::Canvas& canvas = image.GetCanvas();

  // A fresh display list: a live plot redraws for every sample.
  image.Blank();
  canvas.Rectangle(-1, -1, width + 1, height + 1);
  canvas.MoveTo(kPlotLeftMargin, 0);
  canvas.LineTo(kPlotLeftMargin, base);
  canvas.LineTo(width, base);

  for (int i = 1; i < gaugeMaximum / 100; ++i) {
    const double y = base - 1000.0 * i * sy;
    canvas.MoveTo(kPlotLeftMargin - 3, Trunc(y));
    canvas.LineTo(kPlotLeftMargin, Trunc(y));
    canvas.TextOut(1, Trunc(y - 7), FormatInteger(1000LL * i));
  }

  const int seconds = SecondsShown(buffer);
  const double sx = PlotTimeScale(width, buffer);
  for (int n = 0; n < seconds; ++n) {
    const int x = Trunc(n * sx + kPlotLeftMargin);
    canvas.MoveTo(x, base);
    canvas.LineTo(x, base + 3);
    canvas.TextOut(Trunc(n * sx + kPlotLeftMargin - 3), base + 5, FormatInteger(n));
  }

  if (buffer.count == 0)
    return;
  canvas.SetPenColor(form::kRed);
  auto point = [&](const RunSample& sample) {
    return form::Point{Trunc(sx * sample.time + kPlotLeftMargin), Trunc(base - sy * sample.rpm)};
  };
  const form::Point first = point(buffer.samples[0]);
  canvas.MoveTo(first.x, first.y);
  for (std::size_t i = 1; i < buffer.count; ++i) {
    const form::Point next = point(buffer.samples[i]);
    canvas.LineTo(next.x, next.y);
  }
  canvas.SetPenColor(form::kBlack);
}

}  // namespace kelvra::acquisition
