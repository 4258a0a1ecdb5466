#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/response_token.h"

namespace kelvra::link {

struct Classification {
  std::string line;
  Token token = Token::Undef;
  // Lines for the state trace that the classification itself writes (mOByDic protocol answers).
  std::vector<std::string> stateLines;
  // A response that cannot be classified; stateLines says why. Nothing is handed over.
  bool refused = false;
};

// Keeps digits, "?" and the letters a-f h i k l m n o r s t u v z, lower-cased: "41 0C 1A F8\r\r>"
// gives "410c1af8", "SEARCHING..." gives "searchin".
std::string NormaliseElmResponse(std::string_view raw);
// The token of a normalised ELM line: twelve tests in order, a later match winning.
Token ElmToken(std::string_view line);
Classification ClassifyElm(std::string_view raw);

// The line is the response itself (raw bytes, or the hex text of a data frame).
Classification ClassifyMobydic(std::string_view response);
// The protocol named by the bytes B2 and B3 of a protocol answer; "réservé" when unknown.
std::string MobydicProtocolName(unsigned char b2, unsigned char b3);

}  // namespace kelvra::link
