#include "app/secondary_windows.h"

#include "form/button_controls.h"

namespace kelvra::app {

LiveChartWindow::LiveChartWindow(form::Services& services)
    : form::Window(services, "Form3", "Graphe alternatif", 630, 380),
      chart(Add<form::Chart>("Chart1")),
      rpm(chart.AddSeries("RPM", form::kRed)),
      boost(chart.AddSeries("mBar", form::kGreen)) {
  chart.SetBounds(0, 0, 630, 380);
  chart.SetLegendVisible(false);
  chart.SetLeftAxis({true, 0, 0, 0, "RPM", true});
  chart.SetRightAxis({true, 0, 0, 0, "mBar", true});
  rpm.SetAxis(form::AxisSide::Left);
  boost.SetAxis(form::AxisSide::Right);
  // Two buttons the window has always carried, hidden and doing nothing.
  for (const char* name : {"Button1", "Button2"})
    Add<form::Button>(name, nullptr, name).SetVisible(false);
}

}  // namespace kelvra::app
