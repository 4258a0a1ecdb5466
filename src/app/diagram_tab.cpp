#include "app/diagram_tab.h"

#include "acceleration/data_source.h"
#include "acceleration/in_gear_estimate.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "power/run_text_loader.h"
#include "vehicle/vehicle_tab.h"

namespace kelvra::app {

namespace {

using acceleration::kGears;

constexpr form::Color kLightRed = 0xFF8080;
constexpr form::Color kLightBlue = 0x8080FF;

struct GearLook {
  const char* title;
  form::Color color;
};
constexpr GearLook kGearLooks[kGears] = {
    {"1ère", form::kRed}, {"2nde", kLightRed},  {"3è", form::kBlue},
    {"4è", kLightBlue},   {"5è", form::kGreen}, {"6è", form::kLime},
};

form::Label& Caption(form::Window& window, const char* name, form::Container* parent,
                     const char* text, int x, int y) {
  auto& label = window.Add<form::Label>(name, parent, text);
  label.SetBounds(x, y, 0, 0);
  return label;
}

template <class T>
T& Placed(T& control, int left, int top, int width, int height) {
  control.SetBounds(left, top, width, height);
  return control;
}

form::Panel& Group(form::Window& window, const char* name, form::Container* parent,
                   const char* caption) {
  return window.Add<form::Panel>(name, parent, caption, true);
}

}  // namespace

DiagramTab::DiagramTab(form::Window& window, form::TabPage& tab, Sources sources)
    : page(tab),
      dataGroup(Group(window, "gbAccDonnees", &page, "Données")),
      engineSpeeds(window.Add<form::Memo>("meReg", &dataGroup)),
      engineValues(window.Add<form::Memo>("mePow", &dataGroup)),
      newSpeed(window.Add<form::Edit>("edDReg", &dataGroup)),
      newValue(window.Add<form::Edit>("edDPow", &dataGroup)),
      addRow(window.Add<form::Button>("Button24", &dataGroup, "Ajouter valeur")),
      removeRow(window.Add<form::Button>("Button26", &dataGroup, "Supprimer valeur")),
      clearRows(window.Add<form::Button>("Button27", &dataGroup, "Tout effacer")),
      fromFile(window.Add<form::Button>("Button25", &dataGroup, "Source fichier")),
      fromCurve(window.Add<form::Button>("Button29", &dataGroup, "Source mémoire")),
      powerCv(window.Add<form::RadioButton>("rbDCV", &page, "Puissance(cv)", true, "valeur")),
      powerKw(window.Add<form::RadioButton>("rbDKW", &page, "(kW)", false, "valeur")),
      torque(window.Add<form::RadioButton>("rbDNM", &page, "Couple (Nm)", false, "valeur")),
      chart(window.Add<form::Chart>("Chart1", &page)),
      compute(window.Add<form::Button>("Button28", &page, "Calculer")),
      scaleButton(window.Add<form::Button>("Button35", &page, "Echelle")),
      unitMs2(window.Add<form::RadioButton>("rbDms", &page, "m/s²", true, "unite")),
      unitKmhs(window.Add<form::RadioButton>("RadioButton2", &page, "km/h/s", false, "unite")),
      opti(window.Add<form::CheckBox>("CheckBox3", &page, "Opti", true)),
      optiLowSpeed(window.Add<form::Edit>("Edit9", &page, "30")),
      maxEnvelope(window.Add<form::CheckBox>("cbMax", &page, "Max", false)),
      maxResults(window.Add<form::Memo>("meDRes", &page)),
      shiftResults(window.Add<form::Memo>("meDpas", &page)),
      advanced(Group(window, "gbAccOptions", &page, "Options avancées de simulation")),
      tyreFriction(window.Add<form::CheckBox>("cbDpneu", &advanced,
                                              "Modéliser les frottements pneumatiques", true)),
      scalePanel(Group(window, "GroupBox27", &page, "Echelle")),
      autoScale(window.Add<form::CheckBox>("cbAE", &scalePanel, "Auto", true)),
      minSpeed(window.Add<form::Edit>("Edit10", &scalePanel, "0")),
      maxSpeed(window.Add<form::Edit>("Edit11", &scalePanel, "200")),
      minAccel(window.Add<form::Edit>("Edit12", &scalePanel, "-1")),
      maxAccel(window.Add<form::Edit>("Edit13", &scalePanel, LocalizeDecimal("7,5"))),
      scaleOk(window.Add<form::Button>("Button36", &scalePanel, "OK")),
      estimateGroup(Group(window, "gbAccReprises", &page, "Reprises / Accélération")),
      startSpeed(window.Add<form::Edit>("Edit5", &estimateGroup, "80")),
      endSpeed(window.Add<form::Edit>("Edit7", &estimateGroup, "120")),
      gear(window.Add<form::Edit>("Edit8", &estimateGroup, "3")),
      estimate(window.Add<form::Button>("Button34", &estimateGroup, "Calculer")),
      estimateResult(window.Add<form::Label>("lbResRepr", &estimateGroup, "0s")),
      animation(window.Add<form::Button>("Button37", &estimateGroup, "Animation")),
      memorise(window.Add<form::Button>("Button38", &estimateGroup, "Mémoriser accel. max")),
      window_(window),
      sources_(std::move(sources)) {
  // The data lists and their sources, on the left.
  Placed(dataGroup, 2, 2, 200, 296);
  Caption(window, "lbAccReg", &dataGroup, "Régime (tr/mn)", 8, 16);
  Caption(window, "lbAccPow", &dataGroup, "Valeur", 104, 16);
  Placed(engineSpeeds, 8, 32, 90, 130);
  Placed(engineValues, 104, 32, 90, 130);
  Placed(newSpeed, 8, 166, 90, 21);
  Placed(newValue, 104, 166, 90, 21);
  Placed(addRow, 8, 190, 186, 23);
  Placed(removeRow, 8, 216, 186, 23);
  Placed(clearRows, 8, 242, 90, 23);
  Placed(fromFile, 104, 242, 90, 23);
  Placed(fromCurve, 8, 268, 186, 23);
  Placed(powerCv, 6, 302, 100, 18);
  Placed(powerKw, 110, 302, 60, 18);
  Placed(torque, 6, 322, 100, 18);

  // The chart: the gears, "Opti", "Max" and the memorised envelope, which is not drawn.
  Placed(chart, 206, 2, 440, 300);
  chart.SetBottomAxis({true, 0, 0, 0, "Vitesse (km/h)", true});
  chart.SetLeftAxis({true, 0, 0, 0, "Accélération (m/s² ou km/h/s)", true});
  for (const GearLook& look : kGearLooks)
    chart.AddSeries(look.title, look.color, form::SeriesStyle::FastLine).SetLineWidth(2);
  chart.AddSeries("Opti", form::kRed, form::SeriesStyle::FastLine)
      .SetLineStyle(form::PenStyle::DashDotDot);
  chart.AddSeries("Max", form::kBlack, form::SeriesStyle::FastLine).SetLineWidth(2);
  chart.AddSeries("", form::kYellow, form::SeriesStyle::Line).SetVisible(false);

  // The computation and its results, on the right.
  Placed(compute, 652, 4, 90, 25);
  Placed(scaleButton, 748, 4, 90, 25);
  Placed(unitMs2, 652, 34, 60, 18);
  Placed(unitKmhs, 720, 34, 70, 18);
  Placed(opti, 652, 56, 50, 18);
  Placed(optiLowSpeed, 706, 54, 40, 21);
  Caption(window, "lbAccOptiKmh", &page, "km/h", 750, 58);
  Placed(maxEnvelope, 652, 78, 60, 18);
  Caption(window, "lbAccMax", &page, "Accélération max :", 652, 100);
  Placed(maxResults, 652, 116, 190, 96);
  maxResults.SetReadOnly(true);
  Caption(window, "lbAccShifts", &page, "Passage optimal des rapports :", 652, 216);
  Placed(shiftResults, 652, 232, 190, 100);
  shiftResults.SetReadOnly(true);
  Placed(advanced, 652, 336, 190, 44);
  Placed(tyreFriction, 8, 18, 176, 18);
  advanced.SetVisible(false);

  // The scale panel over the chart's lower right corner.
  Placed(scalePanel, 430, 120, 212, 178);
  Placed(autoScale, 8, 18, 60, 18);
  Caption(window, "lbAccVmin", &scalePanel, "Vitesse mini (km/h)", 8, 42);
  Placed(minSpeed, 150, 40, 54, 21);
  Caption(window, "lbAccVmax", &scalePanel, "Vitesse maxi (km/h)", 8, 66);
  Placed(maxSpeed, 150, 64, 54, 21);
  Caption(window, "lbAccAmin", &scalePanel, "Acceleration mini (m/s)", 8, 90);
  Placed(minAccel, 150, 88, 54, 21);
  Caption(window, "lbAccAmax", &scalePanel, "Acceleration maxi (m/s)", 8, 114);
  Placed(maxAccel, 150, 112, 54, 21);
  Placed(scaleOk, 150, 144, 54, 25);
  scalePanel.SetVisible(false);

  // The in-gear estimate and the drag race's buttons, under the chart.
  Placed(estimateGroup, 206, 304, 440, 82);
  Placed(startSpeed, 8, 20, 40, 21);
  Caption(window, "lbAccA", &estimateGroup, "à", 52, 23);
  Placed(endSpeed, 64, 20, 40, 21);
  Caption(window, "lbAccEn", &estimateGroup, "en", 108, 23);
  Placed(gear, 126, 20, 24, 21);
  Caption(window, "lbAccE", &estimateGroup, "è", 154, 23);
  Placed(estimate, 170, 18, 80, 25);
  Caption(window, "lbAccRes", &estimateGroup, "Résultat :", 260, 23);
  Placed(estimateResult, 320, 23, 100, 16);
  Placed(animation, 8, 50, 100, 25);
  Placed(memorise, 116, 50, 160, 25);
  animation.SetEnabled(false);
  memorise.SetEnabled(false);

  addRow.onClick = [this](form::Control&) { AddDataRow(); };
  removeRow.onClick = [this](form::Control&) { RemoveLastDataRow(); };
  clearRows.onClick = [this](form::Control&) { ClearData(); };
  fromFile.onClick = [this](form::Control&) { LoadDataFromFile(); };
  fromCurve.onClick = [this](form::Control&) { LoadDataFromCurve(); };
  scaleButton.onClick = [this](form::Control&) { ToggleScalePanel(); };
  scaleOk.onClick = [this](form::Control&) { ToggleScalePanel(); };
  autoScale.onClick = [this](form::Control&) { ApplyScale(); };
  chart.onDoubleClick = [this](form::Control&) { ResetZoom(); };
  compute.onClick = [this](form::Control&) { ComputeAccelerationDiagram(); };
  estimate.onClick = [this](form::Control&) { EstimateInGearTime(); };
  memorise.onClick = [this](form::Control&) { MemoriseEnvelope(); };
}

void DiagramTab::AddDataRow() {
  engineSpeeds.AddLine(newSpeed.Text());
  engineValues.AddLine(newValue.Text());
}

void DiagramTab::RemoveLastDataRow() {
  for (form::Memo* memo : {&engineSpeeds, &engineValues}) {
    if (memo->LineCount() > 0)
      memo->DeleteLine(memo->LineCount() - 1);
  }
}

void DiagramTab::ClearData() {
  engineValues.Clear();
  engineSpeeds.Clear();
}

void DiagramTab::LoadDataFromFile() {
  form::FileDialog& dialog = sources_.openDialog;
  // The dialog is shared with the vehicle import and the run files: set what this use needs.
  dialog.SetFilter(vehicle::VehicleTab::kOpenDialogFilter);
  dialog.SetDefaultExt("");
  dialog.SetFileName("*.csv");
  ClearData();
  if (!dialog.Execute())
    return;
  const auto lines = power::ReadRunFile(dialog.FileName());
  if (!lines)
    throw FileError("Impossible de lire le fichier " + dialog.FileName());
  const acceleration::FileRowsResult read = acceleration::RowsFromFileLines(*lines);
  if (!read.ok) {
    window_.services().dialogs.ShowMessage(read.message);
    return;
  }
  engineSpeeds.SetLines(read.rows.speeds);
  engineValues.SetLines(read.rows.values);
}

void DiagramTab::LoadDataFromCurve() {
  ClearData();
  // Hidden while filled, so that the view does not follow each of the hundreds of lines.
  engineSpeeds.SetVisible(false);
  engineValues.SetVisible(false);
  acceleration::DataRows rows = acceleration::RowsFromCurve(sources_.power.curves);
  engineSpeeds.SetLines(std::move(rows.speeds));
  engineValues.SetLines(std::move(rows.values));
  engineSpeeds.SetVisible(true);
  engineValues.SetVisible(true);
}

void DiagramTab::ToggleScalePanel() {
  scalePanel.SetVisible(!scalePanel.Visible());
  ApplyScale();
}

void DiagramTab::ApplyScale() {
  const bool automatic = autoScale.Checked();
  form::ChartAxis left = chart.LeftAxis();
  form::ChartAxis bottom = chart.BottomAxis();
  form::ChartAxis right = chart.RightAxis();
  for (form::ChartAxis* axis : {&left, &bottom, &right}) {
    axis->automatic = automatic;
    axis->increment = automatic ? 0 : 1;
  }
  chart.SetRightAxis(right);
  if (automatic) {
    chart.SetLeftAxis(left);
    chart.SetBottomAxis(bottom);
    return;
  }
  left.minimum = ParseIntegerOr(minAccel.Text(), -1);
  chart.SetLeftAxis(left);
  // A maximum that is not a number ends here: the minimum is set, the rest as it was.
  left.maximum = ParseReal(maxAccel.Text());
  left.increment = (left.maximum - left.minimum) * 0.1;
  chart.SetLeftAxis(left);
  bottom.minimum = ParseIntegerOr(minSpeed.Text(), 0);
  bottom.maximum = ParseIntegerOr(maxSpeed.Text(), 200);
  bottom.increment = (bottom.maximum - bottom.minimum) * 0.05;
  chart.SetBottomAxis(bottom);
}

void DiagramTab::ResetZoom() {
  chart.ResetZoom();
}

std::array<std::string, kGears> DiagramTab::GearSpeedTexts() const {
  std::array<std::string, kGears> texts;
  for (int g = 0; g < kGears; ++g)
    texts[g] = sources_.gearSpeeds[g]->Text();
  return texts;
}

void DiagramTab::ComputeAccelerationDiagram() {
  acceleration::DiagramInputs in;
  in.rows.speeds = engineSpeeds.Lines();
  in.rows.values = engineValues.Lines();
  in.kind = powerKw.Checked()  ? acceleration::ValueKind::kPowerKw
            : torque.Checked() ? acceleration::ValueKind::kTorqueNm
                               : acceleration::ValueKind::kPowerCv;
  in.gearSpeedTexts = GearSpeedTexts();
  in.constants = sources_.constants();
  in.tyreFriction = tyreFriction.Checked();
  in.kmhPerSecond = unitKmhs.Checked();
  in.opti = opti.Checked();
  in.optiLowSpeed = optiLowSpeed.Text();
  in.envelope = maxEnvelope.Checked();
  const acceleration::DiagramResult r = diagram_.Compute(in);

  for (int g = 0; g < kGears; ++g) {
    form::ChartSeries& series = GearSeries(g);
    series.Clear();
    for (const form::ChartPoint& p : r.gears[g])
      series.Add(p.x, p.y);
  }
  OptiSeries().Clear();
  for (const form::ChartPoint& p : r.opti)
    OptiSeries().Add(p.x, p.y);
  MaxSeries().Clear();
  if (in.envelope) {
    animation.SetEnabled(true);
    memorise.SetEnabled(true);
    for (const form::ChartPoint& p : r.envelope)
      MaxSeries().Add(p.x, p.y);
  }
  maxInKmhs_ = in.kmhPerSecond;
  for (int g = 0; g < r.gearCount; ++g)
    GearSeries(g).SetVisible(!in.envelope);
  maxResults.SetLines(r.maxLines);
  shiftResults.SetLines(r.shiftLines);
  topSpeed1_ = r.topSpeed;
}

void DiagramTab::EstimateInGearTime() {
  if (engineSpeeds.LineCount() == 0)
    LoadDataFromCurve();
  acceleration::EstimateInputs in;
  in.startSpeed = startSpeed.Text();
  in.endSpeed = endSpeed.Text();
  in.gear = gear.Text();
  in.gearSpeedTexts = GearSpeedTexts();
  in.engineSpeeds = engineSpeeds.Lines();
  const acceleration::EstimatePlan plan = acceleration::PlanInGearTime(in);
  if (!plan.message.empty()) {
    window_.services().dialogs.ShowMessage(plan.message);
    return;
  }
  unitMs2.SetChecked(true);
  ComputeAccelerationDiagram();
  estimateResult.SetCaption(
      acceleration::InGearTime(plan, engineSpeeds.Lines(), diagram_.GearAccelTable()));
}

void DiagramTab::MemoriseEnvelope() {
  MemorisedSeries().Clear();
  for (const form::ChartPoint& p : MaxSeries().Points())
    MemorisedSeries().Add(p.x, p.y);
  topSpeed2_ = topSpeed1_;
  memorisedInKmhs_ = maxInKmhs_;
}

acceleration::RaceEnvelope DiagramTab::CurrentEnvelope() const {
  return {chart.Series(7).Points(), topSpeed1_, maxInKmhs_};
}

acceleration::RaceEnvelope DiagramTab::MemorisedEnvelope() const {
  return {chart.Series(8).Points(), topSpeed2_, memorisedInKmhs_};
}

}  // namespace kelvra::app
