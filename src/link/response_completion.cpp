#include "link/link_engine.h"
#include "link/response_classifier.h"

namespace kelvra::link {

void LinkEngine::CompleteResponse(std::optional<std::string> debugText) {
  state_.receiveElapsed = services_.clock.Now() - state_.runStart;
  StopAnswerTimeout();
  if (debugText)
    framer_.Replace(std::move(*debugText));
  // Taken before the handling: bytes that arrive while it lets events through start the next
  // response instead of being thrown away with this one.
  const std::string raw = framer_.Take();
  log_.Received(raw);
  HandleClassified(raw);
}

void LinkEngine::HandleClassified(const std::string& raw) {
  if (state_.elmMode) {
    const Classification result = ClassifyElm(raw);
    if (answers_ != nullptr)
      answers_->HandleAnswer(result.line, result.token);
    log_.State(result.line + " : " + std::string(TokenText(result.token)) + " " +
               std::to_string(state_.linkState));
    return;
  }
  const Classification result = ClassifyMobydic(raw);
  for (const std::string& text : result.stateLines)
    log_.State(text);
  if (result.refused)
    return;
  if (answers_ != nullptr)
    answers_->HandleAnswer(result.line, result.token);
}

}  // namespace kelvra::link
