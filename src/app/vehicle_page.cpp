#include "app/vehicle_page.h"

#include <algorithm>

#include "common/number_text.h"

namespace kelvra::app {

namespace {

// The captions the language switch knows by name; the others are named after their field.
constexpr std::pair<std::string_view, std::string_view> kCaptionNames[] = {
    {"edRcc", "Label4"},       {"edR1", "Label5"},        {"edR2", "Label6"},
    {"edR3", "Label7"},        {"edR4", "Label8"},        {"edR5", "Label9"},
    {"edR6", "Label10"},       {"edRv1", "Label14"},      {"edRv2", "Label15"},
    {"edRv3", "Label16"},      {"edRv4", "Label17"},      {"edRv5", "Label18"},
    {"edRv6", "Label19"},      {"edJante", "Label11"},    {"edLargeur", "Label23"},
    {"edCirc", "Label13"},     {"edSCXTitle", "Label24"}, {"edMasse", "Label29"},
    {"edTemp", "Label20"},     {"edAltitude", "Label21"}, {"edSMasse", "Label78"},
    {"edF", "Label26"},        {"edPT", "Label28"},       {"edInertieR", "label"},
    {"edInertieT", "Label30"}, {"edCyl", "Label32"},      {"edNbCyl", "Label33"},
    {"edHumidite", "Label22"}, {"edPVmax", "Label38"},    {"edRTsto", "Label68"},
    {"edRTrhoD", "Label69"},   {"edRTrempl", "Label71"},  {"edRTcyl", "Label72"},
    {"edRTrhoE", "Label70"},   {"rbRTCLV", "Label67"},
};

constexpr int kRowHeight = 26;
constexpr int kEditHeight = 21;

form::Panel& Group(form::Window& window, const char* name, form::Container& parent,
                   std::string_view caption, form::Bounds bounds) {
  form::Panel& group = window.Add<form::Panel>(name, &parent, caption, true);
  group.SetBounds(bounds);
  return group;
}

template <class T, class... Args>
T& Placed(form::Window& window, const char* name, form::Container& parent, form::Bounds bounds,
          Args&&... args) {
  T& control = window.Add<T>(name, &parent, std::forward<Args>(args)...);
  control.SetBounds(bounds);
  return control;
}

}  // namespace

VehiclePage::VehiclePage(form::Window& window, form::TabPage& tab)
    : pages(Placed<form::PageControl>(window, "pagectrl", tab, {216, 4, 623, 405})),
      transmission(window.Add<form::TabPage>("TabSheet5", &pages, "Transmission/liaison au sol")),
      weather(window.Add<form::TabPage>("TabSheet6", &pages, "Aérodynamique/Conditions météo")),
      special(window.Add<form::TabPage>("TabSheet7", &pages, "Paramètres spéciaux")),
      constants(window.Add<form::TabPage>("tsK", &pages, "Verif. Constantes")),
      liveSettings(window.Add<form::TabPage>("TabSheet4", &pages, "Param. Calculs RT")),
      gearRatios(Group(window, "GroupBox1", transmission, "Rapports de boite", {8, 4, 190, 216})),
      gearSpeeds(
          Group(window, "GroupBox2", transmission, "Vitesse à 1000tr (km/h)", {206, 4, 190, 216})),
      tyres(Group(window, "GroupBox3", transmission, "Pneumatiques", {404, 4, 205, 150})),
      aerodynamics(Group(window, "GroupBox5", weather, "Aérodynamique / Masse", {8, 4, 340, 140})),
      atmosphere(
          Group(window, "GroupBox4", weather, "Conditions atmosphériques", {356, 4, 255, 90})),
      specialParameters(
          Group(window, "GroupBox6", special, "Paramètres spéciaux", {8, 4, 600, 160})),
      performance(Group(window, "GroupBox7", special, "Infos performances", {8, 170, 600, 170})),
      influenceGroup(Group(window, "GroupBox8", constants, "Tracer influence des membres",
                           {440, 4, 170, 124})),
      consumption(Group(window, "GroupBox16", liveSettings, "Calcul Consommation instantannée",
                        {8, 4, 600, 250})),
      liveTorque(Group(window, "GroupBox17", liveSettings, "Calcul couple et puissance instannés",
                       {8, 262, 600, 80})),
      completeGears(Placed<form::Button>(window, "Button2", transmission, {8, 226, 388, 25},
                                         "Calculer les vitesses à 1000tr / rapports de boite")),
      gearSpeedDialog(Placed<form::Button>(window, "Button30", transmission, {8, 256, 388, 25},
                                           "Calculer / Etalonner automatiquement les vitesses")),
      circumference(Placed<form::Edit>(window, "edCirc", tyres,
                                       {8, 18 + 4 * kRowHeight, 120, kEditHeight},
                                       LocalizeDecimal("1,8144"))),
      rollingFriction(Placed<form::Edit>(window, "edF", specialParameters,
                                         {420, 20, 70, kEditHeight}, LocalizeDecimal("0,015"))),
      wheelPerimeter(Placed<form::Edit>(window, "edPerim", specialParameters,
                                        {420, 20 + kRowHeight, 70, kEditHeight}, "1")),
      maxPowerRpm(Placed<form::Edit>(window, "edRpmpmax", performance,
                                     {420, 20 + 2 * kRowHeight, 70, kEditHeight}, "5000")),
      intakeDelta(Placed<form::Edit>(window, "Edit1", performance,
                                     {420, 20 + 4 * kRowHeight, 70, kEditHeight}, "10")),
      k1(Placed<form::Label>(window, "lbK1", constants, {200, 46, 0, 0}, "= 0 W/(km/h)^3")),
      k2(Placed<form::Label>(window, "lbK2", constants, {200, 66, 0, 0}, "= 0 W/km.h")),
      k3(Placed<form::Label>(window, "lbK3", constants, {200, 86, 0, 0}, "= 0 W/km².h^3")),
      sae(Placed<form::Label>(window, "lbSAE", constants, {120, 110, 0, 0}, "1")),
      influenceSpeed(
          Placed<form::Edit>(window, "edPVmax", influenceGroup, {110, 18, 60, kEditHeight}, "100")),
      influenceAero(Placed<form::RadioButton>(window, "rbAero", influenceGroup, {8, 44, 150, 20},
                                              "Aérodynamique", false, "influence")),
      influenceFrot(Placed<form::RadioButton>(window, "rbFrot", influenceGroup, {8, 68, 150, 20},
                                              "Frott. solides", false, "influence")),
      influenceEc(Placed<form::RadioButton>(window, "rbEc", influenceGroup, {8, 92, 150, 20},
                                            "Energie cinétique", false, "influence")),
      influencePlot(Placed<form::Image>(window, "imp", constants, {73, 150, 513, 177}, 513, 177)),
      influenceAxis(Placed<form::Image>(window, "impy", constants, {16, 150, 57, 177}, 57, 177)),
      influenceUnit(Placed<form::Label>(window, "lbUnit1", constants, {30, 134, 0, 0}, "kW")),
      influenceReadout(Placed<form::Label>(window, "lbXY1", constants, {73, 332, 0, 0},
                                           "Vitesse : 0 km/h ; Puissance/Energie : 0 kW/kJ")),
      mouseX(Placed<form::Label>(window, "lbx1", constants, {500, 332, 0, 0}, "0")),
      mouseY(Placed<form::Label>(window, "lby1", constants, {540, 332, 0, 0}, "0")),
      window_(window) {
  pages.SetActivePage(&transmission);
  // Shown with the other work tabs when a vehicle is selected.
  constants.SetTabVisible(false);

  // Transmission: ratios, speeds at 1000 tr/mn, tyres.
  Row(gearRatios, "edRcc", "Couple conique :", 20, 110);
  const char* const gears[] = {
      "Première :", "Seconde :", "Troisième :", "Quatrième :", "Cinquième :", "Sixième :"};
  for (int gear = 0; gear < 6; ++gear) {
    const std::string n = std::to_string(gear + 1);
    Row(gearRatios, "edR" + n, gears[gear], 20 + (gear + 1) * kRowHeight, 110);
    Row(gearSpeeds, "edRv" + n, gears[gear], 20 + gear * kRowHeight, 110);
  }
  Row(tyres, "edJante", "Taille jante (pouce)", 20, 140, 56);
  Row(tyres, "edAspect", "Aspect (%)", 20 + kRowHeight, 140, 56);
  Row(tyres, "edLargeur", "Largeur (mm)", 20 + 2 * kRowHeight, 140, 56);
  Caption(tyres, "edCirc", "Circonférence approx (m)", 8, 24 + 3 * kRowHeight);

  // Aerodynamics and weather.
  Caption(aerodynamics, "edSCXTitle", "Maître couple (surface frontale x Cx)", 8, 20);
  Row(aerodynamics, "edSCX", "SCx (m²)", 40, 250, 70);
  Row(aerodynamics, "edMasse", " Masse à vide (kg)", 40 + kRowHeight, 250, 70);
  Row(aerodynamics, "edSMasse", "Surpoids (passagers, équipts) (kg)", 40 + 2 * kRowHeight, 250, 70);
  Row(atmosphere, "edTemp", "Température extérieure (°C)", 20, 180, 60);
  Row(atmosphere, "edAltitude", "Pression ambiante (mBar)", 20 + kRowHeight, 180, 60);

  // Special parameters and engine data.
  Caption(specialParameters, "edF", "Coefficient de frottement des pneumatiques sur asphalte :", 8,
          24);
  Caption(specialParameters, "edPerim", "Coefficient de périmètre réel des roues :", 8,
          24 + kRowHeight, false);
  wheelPerimeter.SetVisible(false);
  wheelPerimeter.SetEnabled(false);
  Row(specialParameters, "edPT", "Coefficient de pertes de transmission (%) :", 20 + 2 * kRowHeight,
      420, 70);
  Row(specialParameters, "edInertieR", "Poids d'une roue (kg) :", 20 + 3 * kRowHeight, 420, 70);
  Row(specialParameters, "edInertieT",
      "Moment d'inertie transmission+moteur (kg.m²) :", 20 + 4 * kRowHeight, 420, 70);
  Row(performance, "edCyl", "Cylindrée (cm^3) :", 20, 420, 70);
  Row(performance, "edNbCyl", "Nombre de cylindres :", 20 + kRowHeight, 420, 70);
  Caption(performance, "edRpmpmax", "Régime puissance max constructeur (tr/mn) :", 8,
          24 + 2 * kRowHeight, false);
  maxPowerRpm.SetVisible(false);
  Row(performance, "edHumidite", "Pression de vapeur (mBar) :", 20 + 3 * kRowHeight, 420, 70);
  Caption(performance, "Edit1", "DeltaT(°C) collecteur admission :", 8, 24 + 4 * kRowHeight, false);
  intakeDelta.SetVisible(false);

  // The constants and the influence of each term.
  Caption(constants, "Formula",
          "P(w) = ( K1*v^3 + K2*v + K3*v*(dv/dt) + Ki1*(dv/dt) + Ki2*(dw/dt)) * Kgl", 8, 12);
  Caption(constants, "K1", "K1 = 1/2*rho*SCx*(1/3.6)^3", 8, 46);
  Caption(constants, "K2", "K2 = m*g*f*(1/3.6)", 8, 66);
  Caption(constants, "K3", "K3 = m*(1/3.6)^2", 8, 86);
  Caption(constants, "SAE", "Coefficient SAE :", 8, 110);
  Caption(influenceGroup, "edPVmax", "Jusqu'à (km/h) :", 8, 22);
  mouseX.SetVisible(false);
  mouseY.SetVisible(false);

  // Live consumption and power settings: the small fields sit in the gaps of their captions.
  GapRow(consumption, "edRTsto", "Rapport Air/Gazole extremum :           : 1", 44);
  GapRow(consumption, "edRTrhoD", "Masse volumique Gazole :                g/l", 44 + kRowHeight);
  GapRow(consumption, "edRTmolD", "Masse molaire Gazole :                g/mol",
         44 + 2 * kRowHeight);
  GapRow(consumption, "edRTrempl", "==>  Taux de remplissage            %", 44 + 2 * kRowHeight,
         300);
  GapRow(consumption, "edRTcyl", "Cylindrée :               cc", 44 + 3 * kRowHeight, 300);
  GapRow(consumption, "edRTrhoE", "Masse volumique Essence :              g/l",
         44 + 4 * kRowHeight);
  GapRow(consumption, "edRTmolE", "Masse molaire Essence :                g/mol",
         44 + 5 * kRowHeight);
  Caption(liveTorque, "rbRTCLV", "Indexer le taux de charge sur :", 8, 22);
  places_.push_back({"rbRTdiesel", &consumption, {8, 20, 200, 20}});
  places_.push_back({"rbRTess", &consumption, {8, 44 + 3 * kRowHeight, 200, 20}});
  places_.push_back({"rbRTMAF", &consumption, {300, 44, 200, 20}});
  places_.push_back({"rbRTnoMAF", &consumption, {300, 44 + kRowHeight, 200, 20}});
  places_.push_back({"rbRTCLV", &liveTorque, {220, 20, 250, 20}});
  places_.push_back({"rbRTATP", &liveTorque, {220, 44, 250, 20}});
}

VehiclePage::~VehiclePage() = default;

std::string VehiclePage::CaptionName(std::string_view field) {
  for (const auto& [named, caption] : kCaptionNames) {
    if (named == field)
      return std::string(caption);
  }
  return "lbCaption" + std::string(field);
}

void VehiclePage::Caption(form::Container& parent, std::string_view field, std::string_view text,
                          int x, int y, bool shown) {
  form::Label& label = window_.Add<form::Label>(CaptionName(field), &parent, text);
  label.SetBounds(x, y, 0, 0);
  label.SetVisible(shown);
}

void VehiclePage::Row(form::Container& parent, std::string_view field, std::string_view caption,
                      int y, int editX, int editWidth, int captionX) {
  const bool hidden = field == "edRTmolD" || field == "edRTmolE";
  Caption(parent, field, caption, captionX, y + 4, !hidden);
  places_.push_back({std::string(field), &parent, {editX, y, editWidth, kEditHeight}});
}

// The field sits in the run of blanks of its caption. Character widths are estimates of the
// dialog font; the caption keeps its full text.
void VehiclePage::GapRow(form::Container& parent, std::string_view field, std::string_view caption,
                         int y, int captionX) {
  constexpr double kCharWidth = 5.9;
  constexpr double kBlankWidth = 3.5;
  const std::size_t gap = caption.find("   ");
  const std::size_t after = caption.find_first_not_of(' ', gap);
  const int start = captionX + static_cast<int>((gap + 1) * kCharWidth);
  const int width = std::max(24, static_cast<int>((after - gap - 2) * kBlankWidth));
  Row(parent, field, caption, y, start, width, captionX);
}

form::Container* VehiclePage::ParentOf(std::string_view controlName) const {
  for (const Place& place : places_) {
    if (place.field == controlName)
      return place.parent;
  }
  return nullptr;
}

void VehiclePage::Attach(vehicle::VehicleTab& vehicles) {
  for (const Place& place : places_) {
    form::Control* control = window_.Find(place.field);
    if (control != nullptr && control->Parent() == place.parent)
      control->SetBounds(place.bounds);
  }
  for (std::string_view hidden : {"edRTmolD", "edRTmolE"})
    window_.Get<form::Edit>(hidden).SetVisible(false);

  // The list and its buttons on the left of the editor.
  vehicles.listLabel.SetBounds(8, 6, 0, 0);
  vehicles.vehicleList.SetBounds(8, 22, 200, 228);
  vehicles.nameLabel.SetBounds(8, 256, 0, 0);
  vehicles.nameField.SetBounds(8, 274, 200, kEditHeight);
  vehicles.saveButton.SetBounds(8, 300, 98, 25);
  vehicles.deleteButton.SetBounds(110, 300, 98, 25);
  vehicles.exportButton.SetBounds(8, 328, 98, 25);
  vehicles.importButton.SetBounds(110, 328, 98, 25);

  editor_ = std::make_unique<vehicle::VehicleEditor>(
      vehicles,
      vehicle::EditorControls{circumference, rollingFriction, completeGears, k1, k2, k3, sae});
  influence_ = std::make_unique<vehicle::InfluencePlot>(
      vehicle::InfluenceControls{influenceSpeed, influenceAero, influenceFrot, influenceEc,
                                 influencePlot, influenceAxis, influenceUnit, influenceReadout,
                                 mouseX, mouseY},
      editor_->Constants());
}

}  // namespace kelvra::app
