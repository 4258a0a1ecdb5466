#include "vehicle/influence_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::vehicle {

namespace {

// Toward zero, and saturated so that an absurd speed cannot overflow.
std::int64_t Trunc(double value) {
  constexpr double kLimit = 9.0e18;
  if (std::isnan(value))
    return 0;
  return static_cast<std::int64_t>(std::clamp(std::trunc(value), -kLimit, kLimit));
}

int TruncToPixel(double value) {
  return static_cast<int>(std::clamp<std::int64_t>(Trunc(value), std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace

InfluencePlot::InfluencePlot(InfluenceControls controls, const DerivedConstants& constants)
    : controls_(controls), constants_(constants) {
  for (form::RadioButton* button : {&controls_.aero, &controls_.rolling, &controls_.kinetic}) {
    button->onClick = [this](form::Control&) { DrawInfluence(); };
  }
  controls_.plot.onMouseMove = [this](form::Control&, const form::MouseEvent& event) {
    InfluenceReadout(event.x, event.y);
  };
}

bool InfluencePlot::Chosen() const {
  return controls_.aero.Checked() || controls_.rolling.Checked() || controls_.kinetic.Checked();
}

InfluencePlot::Term InfluencePlot::ChosenTerm() const {
  if (controls_.aero.Checked())
    return {constants_.aeroCoefficient, 3, "kW"};
  if (controls_.rolling.Checked())
    return {constants_.rollingCoefficient, 1, "kW"};
  return {static_cast<float>(double{constants_.inertiaCoefficient} * 0.5), 2, "kJ"};
}

InfluencePlot::Scale InfluencePlot::ScaleFor(const Term& term) const {
  const double maxSpeed = ParseReal(controls_.maxSpeed.Text());
  const double width = controls_.plot.Width();
  const double fullScale = std::pow(maxSpeed, term.exponent) * double{term.coefficient};
  if (width == 0 || fullScale == 0)
    throw DivisionByZeroError();
  return {static_cast<float>(maxSpeed / width),
          static_cast<float>(controls_.plot.Height() / fullScale)};
}

void InfluencePlot::DrawInfluence() {
  if (!Chosen())
    return;
  const Term term = ChosenTerm();
  controls_.unit.SetCaption(term.unit);
  const Scale scale = ScaleFor(term);
  controls_.plot.Blank();
  controls_.axis.Blank();

  form::Canvas& plot = controls_.plot.GetCanvas();
  const int width = controls_.plot.Width();
  const int height = controls_.plot.Height();
  const double pixelsPerUnit = double{scale.ys} * double{term.coefficient};
  plot.MoveTo(0, height);
  for (int col = 0; col < width; ++col) {
    const double speed = col * double{scale.xs};
    plot.LineTo(col, TruncToPixel(height - std::pow(speed, term.exponent) * pixelsPerUnit));
  }

  form::Canvas& axis = controls_.axis.GetCanvas();
  const int axisWidth = controls_.axis.Width();
  const int axisHeight = controls_.axis.Height();
  axis.MoveTo(axisWidth - 1, 0);
  axis.LineTo(axisWidth - 1, axisHeight);
  for (int row = 0; row < axisHeight; row += 30) {
    axis.MoveTo(axisWidth - 4, row);
    axis.LineTo(axisWidth, row);
    // The term's value at that height, in kW or kJ, truncated to one decimal.
    const double value = static_cast<double>(Trunc((axisHeight - row) / double{scale.ys} * 0.01));
    axis.TextOut(20, row - 6, FormatGeneral(value * 0.1));
  }
}

void InfluencePlot::InfluenceReadout(int x, int y) {
  controls_.mouseX.SetCaption(FormatInteger(x));
  controls_.mouseY.SetCaption(FormatInteger(y));
  if (!Chosen())
    return;
  const Term term = ChosenTerm();
  const Scale scale = ScaleFor(term);
  const double speed = x * double{scale.xs};
  const std::int64_t value = Trunc(double{term.coefficient} * std::pow(speed, term.exponent));
  controls_.readout.SetCaption("Vitesse : " + FormatInteger(Trunc(speed)) + "km/h ; P/En : " +
                               FormatInteger(value / 1000) + controls_.unit.Caption());
}

}  // namespace kelvra::vehicle
