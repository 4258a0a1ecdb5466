#include "app/secondary_windows.h"

namespace kelvra::app {

LiveChartWindow::LiveChartWindow(form::Services& services)
    : form::Window(services, "Form3", "Graphe alternatif", 630, 380),
      chart(Add<form::Chart>("Chart1")) {
  chart.SetBounds(0, 0, 630, 380);
  chart.SetLegendVisible(false);
  chart.SetLeftAxis({true, 0, 0, 0, "RPM", true});
  chart.SetRightAxis({true, 0, 0, 0, "mBar", true});
}

}  // namespace kelvra::app
