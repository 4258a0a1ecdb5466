#include "app/unit_converter.h"

#include <cmath>

#include "common/number_text.h"

namespace kelvra::app {

namespace {

constexpr float kCvToKw = 0.7355f;
constexpr float kLbFtToNm = 1.3558f;
constexpr float kMkgToNm = 9.8f;

}  // namespace

double ConvertWithFactor(double value, float factor) {
  return std::trunc(value * static_cast<double>(factor) * 100) * 0.01;
}

UnitConverter::UnitConverter(form::Window& window, form::Container& strip)
    : from(window.Add<form::Edit>("edConvF", &strip, "0")),
      to(window.Add<form::Edit>("edConvT", &strip, "0")),
      conversions{{
          {&window.Add<form::Button>("cv2kw", &strip, "CV,PS (métrique) => kW"), kCvToKw},
          {&window.Add<form::Button>("kw2cv", &strip, "kW => CV,PS (métrique)"), 1.0f / kCvToKw},
          {&window.Add<form::Button>("lbft2nm", &strip, "lb.ft => Nm"), kLbFtToNm},
          {&window.Add<form::Button>("nm2lbft", &strip, "Nm => lb.ft"), 1.0f / kLbFtToNm},
          {&window.Add<form::Button>("nm2mkg", &strip, "Nm => m.kg"), 1.0f / kMkgToNm},
          {&window.Add<form::Button>("mkg2nm", &strip, "m.kg => Nm"), kMkgToNm},
      }} {
  from.SetBounds(8, 26, 70, 21);
  window.Add<form::Label>("Label31", &strip, "==>").SetBounds(82, 29, 0, 0);
  to.SetBounds(108, 26, 70, 21);
  // Three columns of two, each conversion above its inverse.
  for (std::size_t i = 0; i < conversions.size(); ++i) {
    const int column = static_cast<int>(i / 2);
    const int row = static_cast<int>(i % 2);
    form::Button& button = *conversions[i].button;
    button.SetBounds(184 + column * 150, 14 + row * 24, 146, 22);
    button.onClick = [this](form::Control& pressed) { ConvertUnits(pressed); };
  }
}

void UnitConverter::ConvertUnits(const form::Control& button) {
  for (const Conversion& conversion : conversions) {
    if (conversion.button == &button) {
      const double value = ParseReal(from.Text());
      to.SetText(FormatGeneral(ConvertWithFactor(value, conversion.factor)));
      return;
    }
  }
}

}  // namespace kelvra::app
