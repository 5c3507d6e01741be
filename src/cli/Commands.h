#pragma once
// The subcommands of tulo-calc. Each takes the arguments after its name and returns the exit status.

#include <string>
#include <vector>

namespace tulo::cli {

using Args = std::vector<std::string>;

int PropertyCommand(const Args& args);
int CreateConfigCommand(const Args& args);
int StateCommand(const Args& args);
int PointCommand(const Args& args);
int SearchCommand(const Args& args);
int CompareCommand(const Args& args);
int TableCommand(const Args& args);
// Writes and flushes its output itself: its exit status stands as it is.
int BatchCommand(const Args& args);
// Only in a build with the desktop program (TULO_DIAGRAMS): it draws with Qt.
int DiagramCommand(const Args& args);

}  // namespace tulo::cli
