#include "app/kelvra_windows.h"

namespace kelvra::app {

namespace {

vehicle::PerGear<form::Edit> SpeedFields(vehicle::VehicleTab& vehicles) {
  vehicle::PerGear<form::Edit> speeds{};
  for (std::size_t gear = 0; gear < vehicle::kGearCount; ++gear)
    speeds[gear] = &vehicles.Field(vehicle::kFirstSpeedField + gear);
  return speeds;
}

}  // namespace

KelvraWindows::KelvraWindows(form::Services& services, link::SerialPort& componentPort,
                             link::SerialPort& alternativePort)
    : form1(services, componentPort, alternativePort),
      form2(services, SpeedFields(form1.vehicles), form1.engine),
      form3(services),
      form4(services) {
  form1.engine.AddOnlineOnly(form2.captureButton);
  form1.answers.SetCaptureSink(&form2.dialog);
  // Button30Click: the dialog opens without holding the main window.
  form1.vehicleEditor.gearSpeedDialog.onClick = [this](form::Control&) { form2.Show(); };
  // Button37 "Animation": the race window, modeless, on the diagram's two envelopes.
  form1.diagram.animation.onClick = [this](form::Control&) { form4.Show(); };
  form4.currentEnvelope = [this] { return form1.diagram.CurrentEnvelope(); };
  form4.memorisedEnvelope = [this] { return form1.diagram.MemorisedEnvelope(); };
  form1.liveDiagnostics.AttachChart({form3.rpm, form3.boost}, [this] { form3.Show(); });
}

// The gear dialog goes before the main window's link: no answer may reach it after.
KelvraWindows::~KelvraWindows() {
  form1.answers.SetCaptureSink(nullptr);
  form1.liveDiagnostics.DetachChart();
}

}  // namespace kelvra::app
