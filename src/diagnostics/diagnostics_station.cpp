#include "diagnostics/diagnostics_station.h"

namespace kelvra::diagnostics {

namespace {

VehicleRtControls AddVehicleRtControls(form::Window& w) {
  return VehicleRtControls{
      [&]() -> form::RadioButton& {
        w.Add<form::RadioButton>("rbRTess", nullptr, "Moteur Essence", true, "fuel");
        return w.Add<form::RadioButton>("rbRTdiesel", nullptr, "Moteur Diesel", false, "fuel");
      }(),
      [&]() -> form::RadioButton& {
        auto& present =
            w.Add<form::RadioButton>("rbRTMAF", nullptr, "Présence débitmètre", true, "maf");
        w.Add<form::RadioButton>("rbRTnoMAF", nullptr, "Absence débitmètre", false, "maf");
        return present;
      }(),
      [&]() -> form::RadioButton& {
        auto& clv =
            w.Add<form::RadioButton>("rbRTCLV", nullptr, "Charge calculée (CLV)", true, "clv");
        w.Add<form::RadioButton>("rbRTATP", nullptr, "Position absolue du papillon (ATP)", false,
                                 "clv");
        return clv;
      }(),
      w.Add<form::Edit>("edRTsto", nullptr, "16"),
      w.Add<form::Edit>("edRTrhoD", nullptr, "900"),
      w.Add<form::Edit>("edRTmolD", nullptr, "150"),
      w.Add<form::Edit>("edRTrhoE", nullptr, "700"),
      w.Add<form::Edit>("edRTrempl", nullptr, "90"),
      w.Add<form::Edit>("edRTmolE", nullptr, "120"),
      w.Add<form::Edit>("edCyl", nullptr, "1000")};
}

form::Chart& AddLiveChart(form::Window& w) {
  auto& chart = w.Add<form::Chart>("Chart1");
  chart.AddSeries("RPM", form::kRed).SetAxis(form::AxisSide::Left);
  chart.AddSeries("mBar", form::kGreen).SetAxis(form::AxisSide::Right);
  return chart;
}

}  // namespace

DiagnosticsStation::DiagnosticsStation(link::LinkStation& station)
    : accTimer(station.window.Add<form::Timer>("accTimer", nullptr, 1000)),
      panel(station.window, nullptr, &station.atmosphere),
      vehicle(AddVehicleRtControls(station.window)),
      chart(AddLiveChart(station.window)),
      live(station.engine, station.handler, panel.display, panel.modes, panel.performance, vehicle,
           accTimer, station.window.services()) {
  live.AttachChart(LiveChartControls{chart.Series(0), chart.Series(1)}, nullptr);
  panel.FillFromPidTable();
  // The link enables the visualisation button only online, as on the main window.
  station.engine.AddOnlineOnly(panel.display.visualise);
}

}  // namespace kelvra::diagnostics
