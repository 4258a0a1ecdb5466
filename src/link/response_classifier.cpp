#include "link/response_classifier.h"

#include <array>
#include <utility>

namespace kelvra::link {

std::string_view TokenText(Token token) {
  switch (token) {
    case Token::Undef:
      return "UNDEF";
    case Token::Atz:
      return "ATZ";
    case Token::Lv0Warn:
      return "LV0_WARN";
    case Token::Ate0:
      return "ATE0";
    case Token::Atfi:
      return "ATFI";
    case Token::Unkn:
      return "UNKN";
    case Token::NoData:
      return "NODATA";
    case Token::Answ:
      return "ANSW";
    case Token::BusOk:
      return "BUS_OK";
    case Token::BusErr:
      return "BUS_ERR";
    case Token::MobyAck:
      return "MOBYACK";
    case Token::MobyData:
      return "MOBYDATA";
    case Token::MobyFalseReq:
      return "MOBYFALSEREQ";
    case Token::MobyProto:
      return "MOBYPROTO";
    case Token::MobyNoProto:
      return "MOBYNOPROTO";
  }
  return "UNDEF";
}

namespace {

bool Kept(char lower) {
  if ((lower >= '0' && lower <= '9') || (lower >= 'a' && lower <= 'f') || lower == '?')
    return true;
  switch (lower) {
    case 'h':
    case 'i':
    case 'k':
    case 'l':
    case 'm':
    case 'n':
    case 'o':
    case 'r':
    case 's':
    case 't':
    case 'u':
    case 'v':
    case 'z':
      return true;
    default:
      return false;
  }
}

// Characters first..last (counted from 1) equal text; a line too short fails.
bool At(std::string_view line, size_t first, std::string_view text) {
  return line.size() >= first - 1 + text.size() && line.substr(first - 1, text.size()) == text;
}

}  // namespace

std::string NormaliseElmResponse(std::string_view raw) {
  std::string line;
  line.reserve(raw.size());
  for (char c : raw) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (Kept(lower))
      line += lower;
  }
  return line;
}

Token ElmToken(std::string_view line) {
  struct Test {
    size_t first;
    std::string_view text;
    Token token;
  };
  static constexpr std::array<Test, 12> kTests{{
      {1, "atzelm32", Token::Atz},
      {1, "canerror", Token::Lv0Warn},
      {1, "elm32", Token::Atz},
      {4, "elm32", Token::Atz},
      {1, "ate0ok", Token::Ate0},
      {1, "atfiok", Token::Atfi},
      {1, "?", Token::Unkn},
      {1, "nodata", Token::NoData},
      {1, "41", Token::Answ},
      {1, "businitok", Token::BusOk},
      {1, "businiterror", Token::BusErr},
      {1, "buserror", Token::BusErr},
  }};
  Token token = Token::Undef;
  for (const Test& test : kTests) {
    if (At(line, test.first, test.text))
      token = test.token;
  }
  return token;
}

Classification ClassifyElm(std::string_view raw) {
  Classification result;
  result.line = NormaliseElmResponse(raw);
  result.token = ElmToken(result.line);
  return result;
}

std::string MobydicProtocolName(unsigned char b2, unsigned char b3) {
  // The codes are decimal values: 10 is 0x0A, not 0x10.
  if (b2 == 0) {
    switch (b3) {
      case 1:
        return "ISO9141-2 08 08";
      case 2:
        return "ISO9141-2 94 94";
      case 4:
        return "KWP2000 slow init";
      case 8:
        return "KWP2000 fast init";
      case 10:
        return "J1850 PWM";
      case 20:
        return "J1850 VPWM";
      case 40:
        return "CAN 11 ident 250 KB";
      case 80:
        return "CAN 11 ident 500 KB";
      default:
        break;
    }
  }
  if (b3 == 0) {
    if (b2 == 1)
      return "CAN 29 ident 250 KB";
    if (b2 == 2)
      return "CAN 29 ident 500 KB";
  }
  return "réservé";
}

Classification ClassifyMobydic(std::string_view response) {
  Classification result;
  result.line = std::string(response);
  if (response.empty()) {
    result.refused = true;
    result.stateLines.push_back("Réponse vide de l'interface, ignorée.");
    return result;
  }
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(response[i]); };
  if (byte(0) == 0x06)
    result.token = Token::MobyAck;
  if (byte(0) == 0x29)
    result.token = Token::MobyData;
  if (response.size() >= 2 && byte(0) == 0x02 && byte(1) == 0x00)
    result.token = Token::MobyFalseReq;
  if (byte(0) == 0x05) {
    result.token = Token::MobyProto;
    if (response.size() < 3) {
      result.refused = true;
      result.stateLines.push_back("Réponse protocole mOByDic incomplète, ignorée.");
      return result;
    }
    const unsigned char b2 = byte(1);
    const unsigned char b3 = byte(2);
    if (b2 == 0 && b3 == 0) {
      result.stateLines.push_back("Erreur interface mOByDic, aucun protocole détecté");
      result.token = Token::MobyNoProto;
    }
    if (b2 != 0 || b3 != 0) {
      result.stateLines.push_back("Interface mOByDic, protocole détecté : " +
                                  MobydicProtocolName(b2, b3));
    }
  }
  return result;
}

}  // namespace kelvra::link
