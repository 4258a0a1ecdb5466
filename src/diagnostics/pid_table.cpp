#include "diagnostics/pid_table.h"

#include <string>

#include "common/errors.h"
#include "common/hex.h"

namespace kelvra::diagnostics {

namespace {

// 100/255 as the constant the percentages have always used.
constexpr double kPercentOfByte = 0.3921568627450981;

constexpr std::array<PidRow, kPidCount> kRows{{
    {"0104", "Charge calculée (%)", "lb0104", PidRule::Percent},
    {"0105", "T° liq. refr.(°C)", "lb0105", PidRule::MinusForty},
    {"0106", "Richesse court terme 1-3", "lb0106", PidRule::FuelTrim},
    {"0107", "Richesse long terme 1-3", "lb0107", PidRule::FuelTrim},
    {"0108", "Richesse court terme 2-4", "lb0108", PidRule::FuelTrim},
    {"0109", "Richesse long terme 2-4", "lb0109", PidRule::FuelTrim},
    {"010A", "Pression rampe carburant (kPa)", "lb010A", PidRule::TimesThree},
    {"010B", "Psi collecteur adm. (kPa)", "lb010B", PidRule::Plain},
    {"010C", "Régime (tr/mn)", "lb010C", PidRule::EngineSpeed},
    {"010D", "Vitesse (km/h)", "lb010D", PidRule::Plain},
    {"010E", "Avance à l'allumage (°)", "lb010E", PidRule::TimingAdvance},
    {"010F", "T° air admis (°C)", "lb010F", PidRule::MinusForty},
    {"0110", "Débit massique air (g/s)", "lb0110", PidRule::AirFlow},
    {"0111", "Ouverture papillon (%)", "lb0111", PidRule::Percent},
    {"012C", "Commande EGR (%)", "lb012C", PidRule::Percent},
    {"012F", "Niveau d'essence (%)", "lb012F", PidRule::Percent},
}};

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// "41" and the row's two PID digits, lower case: "410c" for "010C".
bool AnswersRow(std::string_view line, const PidRow& row) {
  return line.size() >= 4 && line[0] == '4' && line[1] == '1' && line[2] == Lower(row.code[2]) &&
         line[3] == Lower(row.code[3]);
}

}  // namespace

const std::array<PidRow, kPidCount>& PidTable() {
  return kRows;
}

bool UsesTwoBytes(PidRule rule) {
  return rule == PidRule::EngineSpeed || rule == PidRule::AirFlow;
}

double ApplyPidRule(PidRule rule, unsigned data) {
  const int a = static_cast<int>(data);
  switch (rule) {
    case PidRule::Percent:
      return a * kPercentOfByte;
    case PidRule::MinusForty:
      return a - 40;
    case PidRule::FuelTrim:
      return (a - 128) * 100.0 / 128;
    case PidRule::TimesThree:
      return a * 3;
    case PidRule::Plain:
      return a;
    case PidRule::EngineSpeed:
      return a / 4;
    case PidRule::TimingAdvance:
      return (a - 128) / 2;  // C++ division truncates toward zero
    case PidRule::AirFlow:
      return a * 0.01;
  }
  return 0;
}

int DecodePidAnswer(std::string_view line, ValueSlots& slots) {
  for (int row = 0; row < kPidCount; ++row) {
    const PidRow& pid = kRows[row];
    if (!AnswersRow(line, pid))
      continue;
    const std::string_view digits = line.substr(4, UsesTwoBytes(pid.rule) ? 4 : 2);
    const auto data =
        digits.size() == (UsesTwoBytes(pid.rule) ? 4u : 2u) ? ParseHexDigits(digits) : std::nullopt;
    if (!data)
      throw ConversionError("'$" + std::string(digits) + "' is not a valid integer value");
    slots[row] = static_cast<float>(ApplyPidRule(pid.rule, *data));
    return row;
  }
  return -1;
}

}  // namespace kelvra::diagnostics
