#pragma once

#include <array>
#include <string>

#include "form/button_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// A value times a 32-bit factor, truncated toward zero to hundredths. The product is taken in
// double from the float, so 100 CV gives 73,54 kW (7354,99978 truncated), as the strip always has.
double ConvertWithFactor(double value, float factor);

// The conversion strip GroupBox10: edConvF ==> edConvT and the six unit buttons.
class UnitConverter {
 public:
  UnitConverter(form::Window& window, form::Container& strip);

  // ConvertUnits: edConvF into edConvT with the factor of the pressed button. Text that is not a
  // number throws ConversionError and leaves edConvT as it was.
  void ConvertUnits(const form::Control& button);

  form::Edit& from;  // edConvF
  form::Edit& to;    // edConvT
  struct Conversion {
    form::Button* button;
    float factor;
  };
  std::array<Conversion, 6> conversions;
};

}  // namespace kelvra::app
