#pragma once

#include <string_view>

namespace kelvra::link {

// What the classifier recognised in a response.
enum class Token {
  Undef,
  Atz,
  Lv0Warn,
  Ate0,
  Atfi,
  Unkn,
  NoData,
  Answ,
  BusOk,
  BusErr,
  MobyAck,
  MobyData,
  MobyFalseReq,
  MobyProto,
  MobyNoProto,
};

// "UNDEF", "ATZ", "LV0_WARN", ... as the state trace shows them.
std::string_view TokenText(Token token);

}  // namespace kelvra::link
