#include "diagnostics/pid_rotation.h"

namespace kelvra::diagnostics {

int NextPolledRow(const RowSelection& selected, int cursor) {
  for (int row = cursor + 1; row < kPidCount; ++row) {
    if (row >= 0 && selected[row])
      return row;
  }
  for (int row = 0; row <= cursor && row < kPidCount; ++row) {
    if (selected[row])
      return row;
  }
  return -1;
}

}  // namespace kelvra::diagnostics
