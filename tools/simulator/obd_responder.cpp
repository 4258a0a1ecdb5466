#include "simulator/obd_responder.h"

#include "simulator/elm_dialogue.h"
#include "simulator/mobydic_dialogue.h"

namespace kelvra::simulator {

ObdResponder::ObdResponder(const VehicleModel& model, ResponderOptions options)
    : options_(options), ecu_(model), context_{ecu_, std::nullopt, 0} {
  if (options_.kind == InterfaceKind::Mobydic) {
    dialogue_ = std::make_unique<MobydicDialogue>(context_, options_);
  } else {
    dialogue_ = std::make_unique<ElmDialogue>(context_, options_);
  }
}

ObdResponder::~ObdResponder() = default;

std::vector<std::string> ObdResponder::Feed(std::string_view bytesFromHost) {
  return dialogue_->Feed(bytesFromHost);
}

std::string ObdResponder::Respond(std::string_view bytesFromHost) {
  std::string joined;
  for (const std::string& answer : Feed(bytesFromHost))
    joined += answer;
  return joined;
}

void ObdResponder::PowerUp() {
  context_.busReport.reset();
  dialogue_->PowerUp();
}

}  // namespace kelvra::simulator
