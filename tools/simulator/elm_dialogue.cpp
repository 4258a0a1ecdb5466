#include "simulator/elm_dialogue.h"

#include <cctype>

#include "common/hex.h"

namespace kelvra::simulator {

namespace {

constexpr std::string_view kEnd = "\r\r>";
// A real chip's input buffer holds little more than this; a longer line is refused.
constexpr size_t kMaxCommandLength = 64;

std::string Upper(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\t')
      out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

void AppendHex(std::string& out, std::uint8_t byte, bool space) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
  if (space)
    out += ' ';
}

}  // namespace

ElmDialogue::ElmDialogue(DialogueContext& context, const ResponderOptions& options)
    : context_(context), options_(options) {
  PowerUp();
}

void ElmDialogue::PowerUp() {
  line_.clear();
  lastCommand_.clear();
  echo_ = true;
  lineFeeds_ = false;
  spaces_ = true;
  searchPending_ = options_.searchReport;
}

std::vector<std::string> ElmDialogue::Feed(std::string_view bytes) {
  std::vector<std::string> answers;
  for (char c : bytes) {
    if (c == '\r') {
      answers.push_back(Execute(line_));
      line_.clear();
    } else if (c != '\n') {
      line_ += c;
    }
  }
  return answers;
}

std::string ElmDialogue::Execute(const std::string& received) {
  ++context_.requests;
  // The echo reflects the setting at the time the line came in, so "ATE0" is itself echoed.
  std::string out = echo_ ? received + "\r" : "";
  std::string command = Upper(received);
  if (command.empty()) {
    command = lastCommand_;
  } else {
    lastCommand_ = command;
  }
  out += command.empty() ? std::string(">") : Run(command);
  if (!lineFeeds_)
    return out;
  std::string withFeeds;
  for (char c : out) {
    withFeeds += c;
    if (c == '\r')
      withFeeds += '\n';
  }
  return withFeeds;
}

std::string ElmDialogue::Run(const std::string& command) {
  if (command.size() > kMaxCommandLength)
    return "?" + std::string(kEnd);
  if (command.starts_with("AT"))
    return RunAt(command.substr(2));
  return RunObd(command);
}

std::string ElmDialogue::Identification() const {
  return options_.kind == InterfaceKind::Elm323 ? "ELM323 v2.0" : "ELM327 v1.5";
}

std::string ElmDialogue::RunAt(const std::string& command) {
  const std::string ok = "OK" + std::string(kEnd);
  const bool elm327 = options_.kind == InterfaceKind::Elm327;
  if (command == "Z" || command == "WS") {
    PowerUp();
    return "\r\r" + Identification() + std::string(kEnd);
  }
  if (command == "I")
    return Identification() + std::string(kEnd);
  if (command == "D") {
    lineFeeds_ = false;
    spaces_ = true;
    return ok;
  }
  if (command == "E0" || command == "E1") {
    echo_ = command == "E1";
    return ok;
  }
  if (command == "L0" || command == "L1") {
    lineFeeds_ = command == "L1";
    return ok;
  }
  if (command == "H0" || command == "H1" || command == "M0" || command == "M1")
    return ok;
  if (command == "FI") {
    searchPending_ = false;
    return "BUS INIT: ...OK" + std::string(kEnd);
  }
  if (!elm327)
    return "?" + std::string(kEnd);
  if (command == "S0" || command == "S1") {
    spaces_ = command == "S1";
    return ok;
  }
  if (command == "@1")
    return "OBDII to RS232 Interpreter" + std::string(kEnd);
  if (command == "RV")
    return "12.6V" + std::string(kEnd);
  if (command == "DP")
    return "AUTO, ISO 9141-2" + std::string(kEnd);
  if (command == "PC" || command == "CAF0" || command == "CAF1" || command == "AT0" ||
      command == "AT1" || command == "AT2")
    return ok;
  const auto hexArgument = [&](std::string_view prefix, size_t digits) {
    return command.size() == prefix.size() + digits && command.starts_with(prefix) &&
           ParseHexDigits(std::string_view(command).substr(prefix.size())).has_value();
  };
  if (hexArgument("SP", 1) || hexArgument("SPA", 1) || hexArgument("TP", 1) || hexArgument("ST", 2))
    return ok;
  return "?" + std::string(kEnd);
}

std::string ElmDialogue::RunObd(const std::string& command) {
  if (command.size() % 2 != 0)
    return "?" + std::string(kEnd);
  std::vector<std::uint8_t> bytes;
  for (size_t i = 0; i < command.size(); i += 2) {
    const auto value = ParseHexDigits(std::string_view(command).substr(i, 2));
    if (!value)
      return "?" + std::string(kEnd);
    bytes.push_back(static_cast<std::uint8_t>(*value));
  }
  if (context_.busReport) {
    const BusReport report = *context_.busReport;
    context_.busReport.reset();
    switch (report) {
      case BusReport::BusError:
        return "BUS ERROR" + std::string(kEnd);
      case BusReport::CanError:
        return "CAN ERROR" + std::string(kEnd);
      case BusReport::BusInitError:
        return "BUS INIT: ...ERROR" + std::string(kEnd);
    }
  }
  std::string out;
  if (searchPending_) {
    searchPending_ = false;
    out = options_.kind == InterfaceKind::Elm323 ? "BUS INIT: ...OK\r" : "SEARCHING...\r";
  }
  const auto data =
      bytes.size() == 2 && bytes[0] == 0x01 ? context_.ecu.Mode01(bytes[1]) : std::nullopt;
  if (!data)
    return out + "NO DATA" + std::string(kEnd);
  AppendHex(out, 0x41, spaces_);
  AppendHex(out, bytes[1], spaces_);
  for (std::uint8_t byte : *data)
    AppendHex(out, byte, spaces_);
  return out + std::string(kEnd);
}

}  // namespace kelvra::simulator
