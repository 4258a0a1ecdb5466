#include "power/curve_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/number_text.h"

namespace kelvra::power {
namespace {

constexpr form::Color kGridColor = 0x808080;
// The seventh curve: the lightening rule would leave one colour byte, so a dark pair stands apart
// from the six lighter ones.
constexpr CurveColors kSeventhColors{0x000080, 0x800000};
// Far outside any image, and inside the range of an int: a wild curve value stays drawable.
constexpr double kPixelLimit = 1e6;

int Pixel(double value) {
  if (!std::isfinite(value))
    return value < 0 ? static_cast<int>(-kPixelLimit) : static_cast<int>(kPixelLimit);
  return static_cast<int>(std::clamp(std::trunc(value), -kPixelLimit, kPixelLimit));
}

form::Color Rgb(int red, int green, int blue) {
  return static_cast<form::Color>((red << 16) | (green << 8) | blue);
}

std::string Whole(double value) {
  return FormatInteger(static_cast<std::int64_t>(std::trunc(value)));
}

void SetPen(form::Canvas& canvas, form::Color color, int width,
            form::PenStyle style = form::PenStyle::Solid) {
  canvas.SetPen({color, width, style});
}

// Text in black on white, as every label of the chart.
void Text(form::Canvas& canvas, int x, int y, std::string_view text) {
  canvas.SetFontColor(form::kBlack);
  canvas.SetBrush({form::kWhite, form::BrushStyle::Solid});
  canvas.TextOut(x, y, text);
}

}  // namespace

CurveColors ColorsOf(int k) {
  if (k >= 6 || k < 0)
    return kSeventhColors;
  const int h = 40 * (k + 1);
  return {Rgb(h, h, 255), Rgb(255, h, h)};
}

CurveChart::CurveChart(form::Image& curves, form::Image& axes, form::Image& legend)
    : curves(curves), axes(axes), legend(legend) {}

void CurveChart::ComputeScales(const CurveSet& set) {
  const float span = set.rfin - set.r0;
  const float height = static_cast<float>(curves.Height());
  xScale_ = span > 0 ? static_cast<float>(curves.Width()) / span : 0;
  powerScale_ = set.maxPower10 > 0 ? height / set.maxPower10 : 0;
  torqueScale_ = set.maxTorque10 > 0 ? height / set.maxTorque10 : 0;
}

void CurveChart::DrawCurves(const CurveSet& set, const ChartOptions& options,
                            std::string_view legendText, double correction) {
  ComputeScales(set);
  if (xScale_ <= 0)
    return;
  form::Canvas& image = curves.GetCanvas();
  form::Canvas& rows = legend.GetCanvas();
  const int height = curves.Height();
  const int rowHeight = legend.Height() / kLegendRows;
  const int n = std::min(set.curveCount, CurveSet::kColumns);
  const auto first = static_cast<std::int64_t>(set.r0);

  const auto draw = [&](Quantity quantity, float scale, int step, int startY, int strokeOffset) {
    for (int k = 0; k < n; ++k) {
      const CurveColors colors = ColorsOf(k);
      const form::Color color = quantity == Quantity::kPower ? colors.power : colors.torque;
      SetPen(image, color, 2);
      image.MoveTo(0, startY);
      for (std::int64_t rpm = first; rpm <= set.rfin; rpm += step) {
        const double value = EvaluateCurve(set, k, static_cast<int>(rpm), quantity, correction);
        image.LineTo(Pixel(static_cast<float>(rpm - set.r0) * xScale_),
                     Pixel(height - value * scale));
      }
      SetPen(rows, color, 2);
      if (k == n - 1)
        Text(rows, 30, rowHeight * k, legendText);
      rows.MoveTo(1, rowHeight * k + strokeOffset);
      rows.LineTo(28, rowHeight * k + strokeOffset);
    }
  };
  if (options.power && powerScale_ > 0)
    draw(Quantity::kPower, powerScale_, 50, 0, 4);
  if (options.torque && torqueScale_ > 0)
    draw(Quantity::kTorque, torqueScale_, 10, 2 * height, 9);
  image.SetPenWidth(1);
  rows.SetPenWidth(1);
}

void CurveChart::DrawAxes(const CurveSet& set, double peak10, bool grid) {
  ComputeScales(set);
  axes.Blank();
  form::Canvas& image = axes.GetCanvas();
  const int width = axes.Width();
  const int height = axes.Height();
  const int base = height - 20;
  SetPen(image, form::kBlack, 1);

  const auto gridTo = [&](int x, int y) {
    if (!grid)
      return;
    SetPen(image, kGridColor, 1, form::PenStyle::Dot);
    image.LineTo(x, y);
    SetPen(image, form::kBlack, 1);
  };
  if (powerScale_ > 0) {
    for (int i = 1; i <= 10; ++i) {
      const int y = Pixel(base - i * peak10 * 0.1 * powerScale_);
      image.MoveTo(27, y);
      image.LineTo(30, y);
      gridTo(width - 30, y);
      Text(image, 1, y - 7, Whole(i * peak10 * 0.01));
    }
  }
  if (torqueScale_ > 0) {
    for (int j = 1; j <= 10; ++j) {
      const double torque = set.maxTorque10;
      const int y = Pixel(base - j * torque * 0.1 * torqueScale_);
      image.MoveTo(width - 27, y);
      image.LineTo(width - 30, y);
      Text(image, width - 27, y - 7, Whole(j * torque * 0.01));
    }
  }
  if (xScale_ > 0) {
    const auto span = static_cast<std::int64_t>(set.rfin - set.r0);
    for (int j = 0; j <= 9; ++j) {
      const std::int64_t pos = j * span / 10;
      const int x = Pixel(static_cast<float>(pos) * xScale_ + 30);
      image.MoveTo(x, base);
      image.LineTo(x, height - 17);
      gridTo(x, 1);
      Text(image, Pixel(static_cast<float>(pos) * xScale_ + 18), height - 15,
           Whole(static_cast<double>(pos) + set.r0));
    }
  }
  image.MoveTo(30, 0);
  image.LineTo(30, base);
  image.LineTo(width - 30, base);
  image.LineTo(width - 30, 0);
}

void CurveChart::Blank() {
  axes.Blank();
  curves.Blank();
  legend.Blank();
}

std::optional<std::string> CurveChart::ReadoutText(const CurveSet& set, int x,
                                                   double correction) const {
  if (!set.readoutEnabled || xScale_ <= 0 || set.readoutCurve < 0 ||
      set.readoutCurve >= set.curveCount)
    return std::nullopt;
  const float rpm = static_cast<float>(x - 29) / xScale_ + set.r0;
  if (!(set.r0 < rpm && rpm < set.rfin))
    return std::nullopt;
  const int n = static_cast<int>(rpm);
  const auto whole = [&](Quantity quantity) {
    const double value = EvaluateCurve(set, set.readoutCurve, n, quantity, correction);
    return Whole(std::clamp(std::trunc(value), -9e17, 9e17) / 10);
  };
  return FormatInteger(n) + "tr/mn - " + whole(Quantity::kTorque) + "Nm - " +
         whole(Quantity::kPower) + "Cv";
}

int CurveChart::LegendRow(int y) const {
  const int height = std::max(legend.Height(), 1);
  return std::clamp(static_cast<int>(static_cast<double>(y) / height * kLegendRows), 0,
                    kLegendRows - 1);
}

void ClearChart(CurveSet& set, CurveChart& chart, bool reset) {
  if (reset)
    set.Clear();
  chart.Blank();
}

std::string LegendText(std::string_view statusPanel) {
  // Characters, not bytes: "Véhicule sélectionné : " is 23 characters.
  std::size_t index = 0;
  int characters = 0;
  const auto next = [&] {
    ++index;
    while (index < statusPanel.size() &&
           (static_cast<unsigned char>(statusPanel[index]) & 0xC0) == 0x80)
      ++index;
  };
  while (index < statusPanel.size() && characters < 22) {
    next();
    ++characters;
  }
  const std::size_t start = index;
  characters = 0;
  while (index < statusPanel.size() && characters < 200) {
    next();
    ++characters;
  }
  return std::string(statusPanel.substr(start, index - start));
}

}  // namespace kelvra::power
