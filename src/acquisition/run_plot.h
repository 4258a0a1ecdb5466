#pragma once

#include "acquisition/run_buffer.h"
#include "form/image.h"

namespace kelvra::acquisition {

// The plot leaves 30 pixels on the left for the engine-speed marks and 20 at the bottom for the
// time marks.
inline constexpr int kPlotLeftMargin = 30;
inline constexpr int kPlotBottomMargin = 20;

// Pixels per second of the run plot: the plot's width right of the axis over the whole seconds of
// the run, rounded up past the last sample. The selection maps pixels back to times with it.
double PlotTimeScale(int plotWidth, const RunBuffer& buffer);

// Redraws the run on the image: axes, a mark every 1000 tr/mn below the gauge's top (gauge maximum
// in units of 10 tr/mn), a mark every second, and the samples joined in red.
void DrawRunPlot(form::Image& image, const RunBuffer& buffer, int gaugeMaximum);

}  // namespace kelvra::acquisition
