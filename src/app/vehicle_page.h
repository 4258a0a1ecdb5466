#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form/button_controls.h"
#include "form/image.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"
#include "vehicle/influence_plot.h"
#include "vehicle/vehicle_editor.h"
#include "vehicle/vehicle_tab.h"

namespace kelvra::app {

// The editor on the tab "Configuration voitures": the inner page control with its five pages,
// the groups and captions of every field, the editor's own controls, and the layout of the
// vehicle list and its buttons. Built in two steps: the pages first, so that the vehicle tab can
// put each field on its page, then Attach once the vehicle tab exists.
class VehiclePage {
 public:
  VehiclePage(form::Window& window, form::TabPage& tab);
  VehiclePage(const VehiclePage&) = delete;
  VehiclePage& operator=(const VehiclePage&) = delete;
  ~VehiclePage();

  // The page or group of an editor field or radio button of the vehicle tab.
  form::Container* ParentOf(std::string_view controlName) const;
  // Lays out the vehicle tab's controls and starts the editor's computations.
  void Attach(vehicle::VehicleTab& vehicles);

  vehicle::VehicleEditor& Editor() { return *editor_; }
  vehicle::InfluencePlot& Influence() { return *influence_; }

  form::PageControl& pages;          // pagectrl
  form::TabPage& transmission;       // TabSheet5
  form::TabPage& weather;            // TabSheet6
  form::TabPage& special;            // TabSheet7
  form::TabPage& constants;          // tsK
  form::TabPage& liveSettings;       // TabSheet4
  form::Panel& gearRatios;           // GroupBox1
  form::Panel& gearSpeeds;           // GroupBox2
  form::Panel& tyres;                // GroupBox3
  form::Panel& aerodynamics;         // GroupBox5
  form::Panel& atmosphere;           // GroupBox4
  form::Panel& specialParameters;    // GroupBox6
  form::Panel& performance;          // GroupBox7
  form::Panel& influenceGroup;       // GroupBox8
  form::Panel& consumption;          // GroupBox16
  form::Panel& liveTorque;           // GroupBox17
  form::Button& completeGears;       // Button2
  form::Button& gearSpeedDialog;     // Button30, shows TForm2
  form::Edit& circumference;         // edCirc
  form::Edit& rollingFriction;       // edF
  form::Edit& wheelPerimeter;        // edPerim, hidden
  form::Edit& maxPowerRpm;           // edRpmpmax, hidden
  form::Edit& intakeDelta;           // Edit1, hidden
  form::Label& k1;                   // lbK1
  form::Label& k2;                   // lbK2
  form::Label& k3;                   // lbK3
  form::Label& sae;                  // lbSAE
  form::Edit& influenceSpeed;        // edPVmax
  form::RadioButton& influenceAero;  // rbAero
  form::RadioButton& influenceFrot;  // rbFrot
  form::RadioButton& influenceEc;    // rbEc
  form::Image& influencePlot;        // imp
  form::Image& influenceAxis;        // impy
  form::Label& influenceUnit;        // lbUnit1
  form::Label& influenceReadout;     // lbXY1
  form::Label& mouseX;               // lbx1, hidden
  form::Label& mouseY;               // lby1, hidden

  // The label that captions an editor field.
  static std::string CaptionName(std::string_view field);

 private:
  // Where a field of the vehicle tab goes, and its bounds there.
  struct Place {
    std::string field;
    form::Container* parent;
    form::Bounds bounds;
  };
  void Caption(form::Container& parent, std::string_view field, std::string_view text, int x, int y,
               bool shown = true);
  void Row(form::Container& parent, std::string_view field, std::string_view caption, int y,
           int editX, int editWidth = 60, int captionX = 8);
  void GapRow(form::Container& parent, std::string_view field, std::string_view caption, int y,
              int captionX = 8);

  form::Window& window_;
  std::vector<Place> places_;
  std::unique_ptr<vehicle::VehicleEditor> editor_;
  std::unique_ptr<vehicle::InfluencePlot> influence_;
};

}  // namespace kelvra::app
