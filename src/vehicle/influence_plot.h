#pragma once

#include "form/button_controls.h"
#include "form/image.h"
#include "form/text_controls.h"
#include "vehicle/derived_constants.h"

namespace kelvra::vehicle {

struct InfluenceControls {
  form::Edit& maxSpeed;        // edPVmax
  form::RadioButton& aero;     // rbAero
  form::RadioButton& rolling;  // rbFrot
  form::RadioButton& kinetic;  // rbEc
  form::Image& plot;           // imp
  form::Image& axis;           // impy
  form::Label& unit;           // lbUnit1
  form::Label& readout;        // lbXY1
  form::Label& mouseX;         // lbx1, hidden
  form::Label& mouseY;         // lby1, hidden
};

// How one term of the road-load model grows with speed: aerodynamic drag (K1 v³), rolling
// resistance (K2 v) or kinetic energy (K3/2 v²), from 0 to the chosen speed.
class InfluencePlot {
 public:
  InfluencePlot(InfluenceControls controls, const DerivedConstants& constants);
  InfluencePlot(const InfluencePlot&) = delete;
  InfluencePlot& operator=(const InfluencePlot&) = delete;

  // rbAeroClick: replaces the curve and the axis of the previous plot.
  void DrawInfluence();
  // impMouseMove: the speed under the mouse and the term's value there.
  void InfluenceReadout(int x, int y);

 private:
  struct Term {
    float coefficient;
    int exponent;
    const char* unit;
  };
  struct Scale {
    float xs;  // km/h per pixel
    float ys;  // pixels per W or per J
  };
  bool Chosen() const;
  Term ChosenTerm() const;
  Scale ScaleFor(const Term& term) const;

  InfluenceControls controls_;
  const DerivedConstants& constants_;
};

}  // namespace kelvra::vehicle
