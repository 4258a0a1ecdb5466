#pragma once

#include <span>

namespace kelvra::app {

// One control of the main window with its French caption (the one it is created with) and the
// English text that replaces it.
struct Translation {
  const char* control;
  const char* french;
  const char* english;
};

// Every control the English switch translates; each appears once.
std::span<const Translation> TranslationTable();

}  // namespace kelvra::app
