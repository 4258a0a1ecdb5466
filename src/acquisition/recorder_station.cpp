#include "acquisition/recorder_station.h"

#include <string>

namespace kelvra::acquisition {

namespace {

std::array<form::Edit*, 6> AddGearSpeeds(form::Window& window) {
  std::array<form::Edit*, 6> edits{};
  for (std::size_t i = 0; i < edits.size(); ++i)
    edits[i] = &window.Add<form::Edit>("edRv" + std::to_string(i + 1), nullptr, "0");
  return edits;
}

}  // namespace

RecorderStation::RecorderStation(link::LinkStation& station)
    : panel(station.window, nullptr),
      clockResync(station.window.Add<form::CheckBox>("cbRH", nullptr, "test horloge resyncro")),
      gear(AddGearChoice(station.window, nullptr)),
      gearSpeeds(AddGearSpeeds(station.window)),
      recorder(station.engine,
               RecorderControls{station.btRrpm, station.btWrpm, panel.stop, panel.startRpm,
                                panel.stopRpm, panel.gauge, panel.gaugeTop, panel.rpmText,
                                panel.plot, panel.livePlot, clockResync, gear, gearSpeeds,
                                panel.selectionFrame, panel.selectionText, panel.exportButton,
                                panel.showCurves, panel.saveDialog},
               station.window.services().clock),
      selection(recorder.Buffer(), recorder.Controls(), station.log),
      station_(station) {
  station_.handler.SetEngineSpeedSink(&recorder);
}

RecorderStation::~RecorderStation() {
  station_.handler.SetEngineSpeedSink(nullptr);
}

}  // namespace kelvra::acquisition
