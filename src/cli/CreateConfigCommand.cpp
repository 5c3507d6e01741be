// tulo-calc --create-config PATH: a new configuration file with every unit number 1.
#include <iostream>

#include "app/Config.h"
#include "cli/Commands.h"

namespace tulo::cli {

int CreateConfigCommand(const Args& args) {
  if (args.size() != 1 || args[0].empty()) {
    std::cerr << "tulo-calc --create-config: expected one argument, the path of the new file\n";
    return 2;
  }
  CreateResult result = CreateConfigFile(args[0]);
  switch (result.outcome) {
    case CreateOutcome::kCreated:
      return 0;
    case CreateOutcome::kAlreadyExists:
      std::cerr << "tulo-calc --create-config: " << result.errorText << "\n";
      return 2;
    case CreateOutcome::kFailed:
      break;
  }
  std::cerr << "tulo-calc --create-config: " << result.errorText << "\n";
  return 1;
}

}  // namespace tulo::cli
