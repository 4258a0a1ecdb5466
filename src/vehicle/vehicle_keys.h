#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kelvra::vehicle {

// One stored text field of a vehicle: its key in the vehicle's section, the editor field that holds
// it, the field's text when the program starts (decimal comma, shown through LocalizeDecimal) and
// its unit.
struct TextKey {
  std::string_view key;
  std::string_view field;
  std::string_view initial;
  std::string_view unit;
};

// In the order a save writes them and a load reads them.
inline constexpr std::array<TextKey, 33> kTextKeys{{
    {"couple conique", "edRcc", "1", "ratio"},
    {"1e", "edR1", "0", "ratio"},
    {"2e", "edR2", "0", "ratio"},
    {"3e", "edR3", "0", "ratio"},
    {"4e", "edR4", "0", "ratio"},
    {"5e", "edR5", "0", "ratio"},
    {"6e", "edR6", "0", "ratio"},
    {"v1e", "edRv1", "0", "km/h"},
    {"v2e", "edRv2", "0", "km/h"},
    {"v3e", "edRv3", "0", "km/h"},
    {"v4e", "edRv4", "0", "km/h"},
    {"v5e", "edRv5", "0", "km/h"},
    {"v6e", "edRv6", "0", "km/h"},
    {"jante", "edJante", "14", "pouce"},
    {"aspect", "edAspect", "60", "%"},
    {"largeur", "edLargeur", "185", "mm"},
    {"PT", "edPT", "15", "%"},
    {"inertieR", "edInertieR", "15", "kg"},
    {"inertieT", "edInertieT", "0,16", "kg.m²"},
    {"SCX", "edSCX", "0,63", "m²"},
    {"altitude", "edAltitude", "990", "mBar"},
    {"t°", "edTemp", "20", "°C"},
    {"humidite", "edHumidite", "50", "mBar"},
    {"masse", "edMasse", "1000", "kg"},
    {"masseeqpt", "edSMasse", "0", "kg"},
    {"cylindree", "edCyl", "1000", "cm³"},
    {"nbcyl", "edNbCyl", "4", ""},
    {"maxrich", "edRTsto", "16", ":1"},
    {"rhodiesel", "edRTrhoD", "900", "g/l"},
    {"rhoess", "edRTrhoE", "700", "g/l"},
    {"txrempl", "edRTrempl", "90", "%"},
    {"molD", "edRTmolD", "150", "g/mol"},
    {"molE", "edRTmolE", "120", "g/mol"},
}};

// The editor fields a profile carries: one per text key, in table order, then the second copy of
// the swept volume on the live-calculation page, which "cylindree" also fills on a load.
inline constexpr std::size_t kFieldCount = kTextKeys.size() + 1;
inline constexpr std::size_t kSweptVolumeField = 25;
inline constexpr std::size_t kSecondSweptVolumeField = kTextKeys.size();
inline constexpr std::string_view kSecondSweptVolumeName = "edRTcyl";
static_assert(kTextKeys[kSweptVolumeField].key == "cylindree");

std::string_view FieldName(std::size_t field);
std::string_view FieldInitial(std::size_t field);

// A switch is a pair of radio buttons: the one checked when the switch is on, and its opposite.
struct SwitchKey {
  std::string_view key;
  std::string_view onButton;
  std::string_view offButton;
  std::string_view onCaption;
  std::string_view offCaption;
  bool initial;
};

inline constexpr std::array<SwitchKey, 3> kSwitchKeys{{
    {"diesel", "rbRTdiesel", "rbRTess", "Moteur Diesel", "Moteur Essence", false},
    {"maf", "rbRTMAF", "rbRTnoMAF", "Présence débitmètre", "Absence débitmètre", true},
    {"clv", "rbRTCLV", "rbRTATP", "Charge calculée (CLV)", "Position absolue du papillon (ATP)",
     true},
}};
inline constexpr std::size_t kSwitchCount = kSwitchKeys.size();
inline constexpr std::size_t kDieselSwitch = 0;
inline constexpr std::size_t kAirFlowSwitch = 1;
inline constexpr std::size_t kCalculatedLoadSwitch = 2;

// The file and its own sections.
inline constexpr std::string_view kStoreFileName = "vehicules.ini";
inline constexpr std::string_view kListSection = "liste";
inline constexpr std::string_view kExportSection = "export";
inline constexpr std::string_view kExportNameKey = "nom";
inline constexpr std::string_view kExportExtension = ".ini";

// The stored curve's keys; a coefficient's key is "coeff" and its index in decimal.
inline constexpr std::string_view kCountKey = "nbcoeff";
inline constexpr std::string_view kStartKey = "r0";
inline constexpr std::string_view kEndKey = "rfin";
inline constexpr std::string_view kCoefficientPrefix = "coeff";

}  // namespace kelvra::vehicle

namespace kelvra::vehicle {

// Fields the editor's computations read and write, by their place in the table above.
inline constexpr std::size_t kFinalDriveField = 0;
inline constexpr std::size_t kFirstRatioField = 1;  // edR1 .. edR6
inline constexpr std::size_t kFirstSpeedField = 7;  // edRv1 .. edRv6
inline constexpr std::size_t kGearCount = 6;
inline constexpr std::size_t kRimField = 13;
inline constexpr std::size_t kAspectField = 14;
inline constexpr std::size_t kWidthField = 15;
inline constexpr std::size_t kLossField = 16;
inline constexpr std::size_t kDragAreaField = 19;
inline constexpr std::size_t kPressureField = 20;
inline constexpr std::size_t kTemperatureField = 21;
inline constexpr std::size_t kVapourField = 22;
inline constexpr std::size_t kMassField = 23;
inline constexpr std::size_t kExtraMassField = 24;
static_assert(kTextKeys[kFinalDriveField].field == "edRcc");
static_assert(kTextKeys[kFirstRatioField].field == "edR1");
static_assert(kTextKeys[kFirstSpeedField + 5].field == "edRv6");
static_assert(kTextKeys[kRimField].field == "edJante");
static_assert(kTextKeys[kAspectField].field == "edAspect");
static_assert(kTextKeys[kWidthField].field == "edLargeur");
static_assert(kTextKeys[kLossField].field == "edPT");
static_assert(kTextKeys[kDragAreaField].field == "edSCX");
static_assert(kTextKeys[kPressureField].field == "edAltitude");
static_assert(kTextKeys[kTemperatureField].field == "edTemp");
static_assert(kTextKeys[kVapourField].field == "edHumidite");
static_assert(kTextKeys[kMassField].field == "edMasse");
static_assert(kTextKeys[kExtraMassField].field == "edSMasse");

}  // namespace kelvra::vehicle
