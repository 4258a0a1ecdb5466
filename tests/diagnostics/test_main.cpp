#include <gtest/gtest.h>

#include "common/number_text.h"

// Texts are checked as a French user sees them.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  kelvra::SetDecimalSeparator(',');
  return RUN_ALL_TESTS();
}
