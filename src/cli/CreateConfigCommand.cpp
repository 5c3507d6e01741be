// Placeholder removed once the configuration file module exists.
#include <iostream>

#include "cli/Commands.h"

namespace tulo::cli {
int CreateConfigCommand(const Args&) {
  std::cerr << "tulo-calc --create-config: not available yet\n";
  return 2;
}
}  // namespace tulo::cli
