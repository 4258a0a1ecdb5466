#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "simulator/obd_responder.h"

namespace kelvra::simulator {

// The text dialogue of an ELM327 or ELM323 chip. A command ends with CR; line feeds, spaces and
// case do not matter; a lone CR repeats the previous command. Every answer ends with the prompt
// ">", and while echo is on (after power-up or ATZ, until ATE0) the command line comes back first.
class ElmDialogue : public Dialogue {
 public:
  ElmDialogue(DialogueContext& context, const ResponderOptions& options);

  std::vector<std::string> Feed(std::string_view bytes) override;
  void PowerUp() override;

 private:
  std::string Execute(const std::string& received);
  std::string Run(const std::string& command);
  std::string RunAt(const std::string& command);
  std::string RunObd(const std::string& command);
  std::string Identification() const;

  DialogueContext& context_;
  const ResponderOptions& options_;
  std::string line_;  // received since the last CR
  std::string lastCommand_;
  bool echo_ = true;
  bool lineFeeds_ = false;
  bool spaces_ = true;
  bool searchPending_ = false;
};

}  // namespace kelvra::simulator
