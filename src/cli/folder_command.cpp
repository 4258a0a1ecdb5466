#include "cli/commands.h"

#include "common/program_folder.h"

namespace kelvra::cli {

// Shows which folder the other commands read and write, to check --data-dir and KELVRA_DATA_DIR.
int RunFolder(const Invocation& invocation) {
  if (!ExpectNoArguments("folder", invocation))
    return kExitUsage;
  invocation.out << ProgramFolder() << '\n';
  return kExitOk;
}

}  // namespace kelvra::cli
