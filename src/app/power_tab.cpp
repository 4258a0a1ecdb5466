#include "app/power_tab.h"

#include <string>
#include <vector>

#include "acquisition/run_file.h"
#include "app/main_window.h"
#include "common/number_text.h"
#include "form/chart.h"
#include "power/curve_export.h"
#include "power/curve_statistics.h"
#include "power/raw_data_view.h"
#include "power/run_text_loader.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::app {

namespace {

constexpr const char* kExportFilter =
    "Fichier texte (*.txt)|*.txt|Fichier CSV (*.csv)|*.csv|Fichier RPM (*.rpm)|*.rpm|"
    "Tous les fichiers (*.*)|*.*";
constexpr const char* kNoVehicleMessage = "Aucun véhicule sélectionné";

template <class T, class... Args>
T& Hidden(form::Window& window, const char* name, form::Container* parent, Args&&... args) {
  T& control = window.Add<T>(name, parent, std::forward<Args>(args)...);
  control.SetVisible(false);
  return control;
}

double FieldValue(const form::Window& window, std::string_view name) {
  return ParseReal(window.Get<form::Edit>(name).Text());
}

}  // namespace

PowerTab::PowerTab(MainWindow& w)
    : control(w.Add<form::Panel>("GroupBox14", &w.powerPage, "Contrôle", true)),
      addCurve(w.Add<form::Button>("btGraphC", &control, "Ajouter une courbe")),
      clear(w.Add<form::Button>("Button11", &control, "Effacer")),
      exportData(w.Add<form::Button>("Button4", &control, "Exporter données")),
      assign(w.Add<form::Button>("Button21", &control, "Affecter au veh.")),
      power(w.Add<form::CheckBox>("cbPower", &control, "Puissance", true)),
      torque(w.Add<form::CheckBox>("cbCouple", &control, "Couple", true)),
      grid(w.Add<form::CheckBox>("cbGrille", &control, "Afficher quadrillage", true)),
      sae(w.Add<form::CheckBox>("cbSAE", &control, "Corrigé SAE")),
      rawData(w.Add<form::CheckBox>("cbRawDat", &control, "Voir données brutes")),
      loadRun(Hidden<form::Button>(w, "Button3", &control, "load+der")),
      rotating(Hidden<form::CheckBox>(w, "cb2", &control, "tstin", true)),
      chartFrame(w.Add<form::Bevel>("Bevel1", &w.powerPage)),
      curves(w.Add<form::Image>("Image1", &w.powerPage, 538, 240)),
      axes(w.Add<form::Image>("img2", &w.powerPage, 599, 263)),
      legendFrame(w.Add<form::Bevel>("Bevel2", &w.powerPage)),
      legend(w.Add<form::Image>("imLeg", &w.powerPage, 199, 88)),
      statistics(w.Add<form::Panel>("GroupBox9", &w.powerPage, "Statistiques :", true)),
      maxPower(w.Add<form::Label>("lbPmax", &statistics)),
      maxTorque(w.Add<form::Label>("lbCmax", &statistics)),
      elasticity(w.Add<form::Label>("lbElasticite", &statistics)),
      ratioAtPower(w.Add<form::Label>("lbPCratio", &statistics)),
      meanPressure(w.Add<form::Label>("lbMeanPsi", &statistics)),
      specificPower(w.Add<form::Label>("lbPspe", &statistics)),
      specificTorque(w.Add<form::Label>("lbCspe", &statistics)),
      fillFactor(w.Add<form::Label>("lbCoeffRempl", &statistics)),
      meanPower(w.Add<form::Label>("lbPowEff", &statistics)),
      readout(w.Add<form::Label>("lbStats", &w.powerPage, "Puissance / couple / régime")),
      runText(Hidden<form::Memo>(w, "Memo1", &w.powerPage)),
      trace(Hidden<form::Memo>(w, "Memo2", &w.powerPage)),
      rpmList(Hidden<form::Memo>(w, "Memo3", &w.powerPage)),
      torqueList(Hidden<form::Memo>(w, "Memo4", &w.powerPage)),
      chart(curves, axes, legend),
      window_(w),
      workspace_(w.power) {
  Layout();
  addCurve.onClick = [this](form::Control&) { btGraphCClick(); };
  clear.onClick = [this](form::Control&) { Button11Click(); };
  exportData.onClick = [this](form::Control&) { Button4Click(); };
  assign.onClick = [this](form::Control&) { Button21Click(); };
  loadRun.onClick = [this](form::Control&) {
    if (auto lines = power::ReadRunFile(window_.Get<form::Edit>("Edit28").Text())) {
      workspace_.runText = std::move(*lines);
      power::LoadRunText(workspace_.runText, workspace_.samples);
    }
  };
  for (form::Image* image : {&curves, &axes}) {
    image->onMouseMove = [this](form::Control&, const form::MouseEvent& event) {
      Image1MouseMove(event);
    };
  }
  legend.onMouseDown = [this](form::Control&, const form::MouseEvent& event) {
    imLegMouseDown(event);
  };
  torqueList.onDoubleClick = [this](form::Control&) { torqueList.SetVisible(false); };
  w.showStoredCurve = [this] { ShowVehicleCurve(); };
}

void PowerTab::Layout() {
  MainWindow& w = window_;
  chartFrame.SetBounds(0, 24, 601, 265);
  curves.SetBounds(32, 25, 538, 240);
  // Drawn over the curves: its white shows what lies beneath.
  axes.SetBounds(1, 25, 599, 263);
  axes.SetTransparent(true);
  auto& powerUnit = w.Add<form::Label>("Label133", &w.powerPage, "P(CV)");
  powerUnit.SetBounds(3, 257, 0, 0);
  powerUnit.SetFont({form::kBlue, 8, false});
  auto& torqueUnit = w.Add<form::Label>("Label134", &w.powerPage, "C(Nm)");
  torqueUnit.SetBounds(571, 257, 0, 0);
  torqueUnit.SetFont({form::kRed, 8, false});
  w.Add<form::Label>("Label135", &w.powerPage, "tr/mn").SetBounds(571, 273, 0, 0);
  legendFrame.SetBounds(608, 24, 209, 105);
  w.Add<form::Label>("Label62", &w.powerPage, "Légende :").SetBounds(612, 26, 0, 0);
  legend.SetBounds(609, 40, 199, 88);

  // Below the chart: the run file, the smoothing and the gear on the left, then "Contrôle".
  w.Add<form::Label>("Label46", &w.powerPage, "Données : ").SetBounds(4, 296, 0, 0);
  w.Get<form::Edit>("Edit28").SetBounds(4, 312, 226, 21);
  w.Get<form::Button>("Button9").SetBounds(234, 310, 70, 25);
  w.Get<form::Label>("Label61").SetBounds(4, 348, 0, 0);
  w.smoothing.SetBounds(64, 342, 180, 30);
  w.Get<form::Label>("Label45").SetBounds(4, 384, 0, 0);
  w.Get<form::ComboBox>("cbGear").SetBounds(64, 380, 50, 22);

  control.SetBounds(310, 292, 291, 118);
  addCurve.SetBounds(8, 16, 130, 25);
  clear.SetBounds(142, 16, 70, 25);
  exportData.SetBounds(8, 46, 130, 25);
  assign.SetBounds(142, 46, 110, 25);
  power.SetBounds(8, 76, 80, 17);
  torque.SetBounds(90, 76, 64, 17);
  grid.SetBounds(156, 76, 130, 17);
  sae.SetBounds(8, 96, 100, 17);
  rawData.SetBounds(110, 96, 150, 17);
  loadRun.SetBounds(216, 16, 70, 25);

  statistics.SetBounds(608, 132, 238, 232);
  const std::array<std::pair<const char*, const char*>, 9> titles{{
      {"Label39", "Puissance max/régime :"},
      {"Label40", "Couple max/régime :"},
      {"Label41", "Elasticité :"},
      {"label49", "%Cmax à Pmax :"},
      {"Label42", "PME :"},
      {"Label43", "Puissance spécifique :"},
      {"Label44", "Couple spécifique :"},
      {"Label136", " Coeff. de remplissage :"},
      {"Label137", "Pmoy efficace :"},
  }};
  const std::array<form::Label*, 9> values{&maxPower,       &maxTorque,    &elasticity,
                                           &ratioAtPower,   &meanPressure, &specificPower,
                                           &specificTorque, &fillFactor,   &meanPower};
  // The two long texts sit below their titles, the others beside them.
  int y = 16;
  for (std::size_t row = 0; row < titles.size(); ++row) {
    w.Add<form::Label>(titles[row].first, &statistics, titles[row].second).SetBounds(6, y, 0, 0);
    if (row < 2) {
      values[row]->SetBounds(20, y + 16, 210, 17);
      y += 36;
    } else {
      values[row]->SetBounds(140, y, 94, 17);
      y += 20;
    }
  }
  readout.SetBounds(612, 370, 234, 17);
  torqueList.SetBounds(608, 132, 238, 270);
}

power::PowerInputs PowerTab::Inputs() const {
  MainWindow& w = window_;
  power::PowerInputs inputs;
  const auto& gear = w.Get<form::ComboBox>("cbGear");
  const int g = std::clamp(gear.ItemIndex(), 0, static_cast<int>(vehicle::kGearCount) - 1);
  inputs.speedPer1000 = static_cast<float>(ParseReal(
      window_.vehicles.Field(vehicle::kFirstSpeedField + static_cast<std::size_t>(g)).Text()));
  inputs.smoothing = window_.smoothing.Position();
  inputs.saeCorrected = sae.Checked();
  inputs.load.constants = window_.vehicleEditor.Editor().Constants();
  inputs.load.tyreCircumference = static_cast<float>(FieldValue(w, "edCirc"));
  inputs.load.wheelMass = static_cast<float>(FieldValue(w, "edInertieR"));
  inputs.load.rotatingInertia = static_cast<float>(FieldValue(w, "edInertieT"));
  return inputs;
}

double PowerTab::Correction() const {
  return sae.Checked() ? window_.vehicleEditor.Editor().Constants().saeFactor : 1.0;
}

void PowerTab::btGraphCClick() {
  Compute(power::CurveRequest::FromRunFile(window_.Get<form::Edit>("Edit28").Text()));
}

void PowerTab::ShowVehicleCurve() {
  const std::string name = window_.vehicles.nameField.Text();
  Compute(power::CurveRequest::FromVehicle(window_.store.ReadStoredCurve(name)));
}

void PowerTab::Compute(const power::CurveRequest& request) {
  const power::PowerInputs inputs = Inputs();
  const power::AddOutcome outcome = power::AddCurve(workspace_, request, inputs);
  if (outcome.status == power::AddOutcome::Status::kNoStoredCurve)
    return;
  if (outcome.status == power::AddOutcome::Status::kRefused) {
    window_.services().dialogs.ShowMessage(outcome.message);
    return;
  }
  ShowLists();
  if (rawData.Checked()) {
    if (auto* diagram = dynamic_cast<form::Chart*>(window_.Find("Chart1"))) {
      if (request.fromVehicle)
        power::ClearRawData(*diagram);
      else
        power::ShowRawData(*diagram, workspace_.samples);
    }
  }
  const power::CurveSet& set = workspace_.curves;
  const double correction = power::Correction(inputs);
  if (outcome.scaleGrew)
    chart.Blank();
  chart.DrawCurves(set, {power.Checked(), torque.Checked(), grid.Checked()},
                   power::LegendText(window_.status.PanelText(0)), correction);
  if (outcome.scaleGrew)
    chart.DrawAxes(set, power::NewestPower(set, correction).peak10, grid.Checked());
  assign.SetEnabled(true);
  FillStatistics();
}

void PowerTab::ShowLists() {
  runText.SetLines(workspace_.runText);
  trace.SetLines(workspace_.trace);
  std::vector<std::string> rpms;
  std::vector<std::string> torques;
  if (!workspace_.trace.empty()) {
    for (std::size_t j = 1; j + 1 < workspace_.samples.size(); ++j) {
      rpms.push_back(FormatGeneral(workspace_.samples[j].rpm));
      torques.push_back(FormatGeneral(workspace_.samples[j].torque10));
    }
  }
  rpmList.SetLines(std::move(rpms));
  torqueList.SetLines(std::move(torques));
}

void PowerTab::FillStatistics() {
  const double displacement = FieldValue(window_, "edCyl");
  const power::StatisticsTexts texts =
      power::CurveStatisticsTexts(workspace_.curves, displacement, Correction());
  maxPower.SetCaption(texts.maxPower);
  maxTorque.SetCaption(texts.maxTorque);
  elasticity.SetCaption(texts.elasticity);
  ratioAtPower.SetCaption(texts.torqueAtPowerRatio);
  meanPressure.SetCaption(texts.meanPressure);
  specificPower.SetCaption(texts.specificPower);
  specificTorque.SetCaption(texts.specificTorque);
  fillFactor.SetCaption(texts.fillFactor);
  meanPower.SetCaption(texts.meanEffectivePower);
}

void PowerTab::Button11Click() {
  power::ClearChart(workspace_.curves, chart, true);
}

void PowerTab::Button4Click() {
  if (workspace_.curves.curveCount < 1) {
    window_.services().dialogs.ShowMessage(power::kNoCurveMessage);
    return;
  }
  auto& dialog = window_.Get<form::FileDialog>("SaveDialog1");
  dialog.SetFilter(kExportFilter);
  dialog.SetDefaultExt("txt");
  dialog.SetFileName(power::LegendText(window_.status.PanelText(0)) + ".csv");
  if (!dialog.Execute())
    return;
  const std::vector<std::string> rows = power::ExportRows(workspace_, Correction());
  workspace_.trace = rows;
  trace.SetLines(rows);
  acquisition::WriteRunFile(dialog.FileName(), rows);
}

void PowerTab::Button21Click() {
  const std::optional<vehicle::StoredCurve> curve = power::NewestStoredCurve(workspace_.curves);
  form::Dialogs& dialogs = window_.services().dialogs;
  if (!curve) {
    dialogs.ShowMessage(power::kNoCurveMessage);
    return;
  }
  if (!dialogs.Confirm(power::kLinkQuestion, power::kLinkCaption)) {
    torqueList.SetVisible(true);
    torqueList.SetLines(power::CoefficientLines(workspace_.curves));
    return;
  }
  const std::string name = window_.vehicles.nameField.Text();
  if (name.empty()) {
    dialogs.ShowMessage(kNoVehicleMessage);
    return;
  }
  window_.store.WriteStoredCurve(name, *curve);
}

void PowerTab::Image1MouseMove(const form::MouseEvent& event) {
  if (auto text = chart.ReadoutText(workspace_.curves, event.x, Correction()))
    readout.SetCaption(*text);
}

void PowerTab::imLegMouseDown(const form::MouseEvent& event) {
  workspace_.curves.readoutCurve = chart.LegendRow(event.y);
}

}  // namespace kelvra::app
