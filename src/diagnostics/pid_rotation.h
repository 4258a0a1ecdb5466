#pragma once

#include <array>

#include "diagnostics/pid_table.h"

namespace kelvra::diagnostics {

using RowSelection = std::array<bool, kPidCount>;

// The row the rotation asks for next: the first selected row after the cursor, else the first
// selected row from the top up to the cursor itself; -1 when no row is selected. Every row of the
// table takes part, 012C and 012F included.
int NextPolledRow(const RowSelection& selected, int cursor);

}  // namespace kelvra::diagnostics
