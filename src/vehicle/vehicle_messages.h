#pragma once

#include <string_view>

namespace kelvra::vehicle {

// What the vehicle tab tells the user.
inline constexpr std::string_view kNoNameMessage =
    "Données non enregistrées, veuillez spécifier un nom de véhicule.";
inline constexpr std::string_view kConfirmDeleteMessage = "Confirmer la suppression du véhicule ?";
inline constexpr std::string_view kConfirmDeleteCaption = "Attention";
inline constexpr std::string_view kNothingSelectedMessage =
    "Aucun véhicule sélectionné : choisissez dans la liste le véhicule à supprimer.";
inline constexpr std::string_view kExportedMessage = "Exporté avec succès";
// The name an import takes when its file has no "nom" in section "export"; nothing is saved then.
inline constexpr std::string_view kImportErrorName = "Erreur import";

}  // namespace kelvra::vehicle
