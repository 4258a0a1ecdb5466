#include "cli/commands.h"

#include "common/version.h"

namespace kelvra::cli {

std::string VersionLine() {
  return std::string("kelvra-cli ") + kVersion + " (" + kBuildName + ")";
}

int RunVersion(const Invocation& invocation) {
  if (!ExpectNoArguments("version", invocation))
    return kExitUsage;
  invocation.out << VersionLine() << '\n';
  return kExitOk;
}

}  // namespace kelvra::cli
