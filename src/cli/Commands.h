#pragma once
// The subcommands of tulo-calc. Each takes the arguments after its name and returns the exit status.

#include <string>
#include <vector>

#include "process/Processes.h"
#include "units/Units.h"

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

// A process or cycle drawn on a chart file (--diagram ts|hs|ph --output FILE): only in a build
// with the desktop program's Qt libraries, which hands it to the process commands; elsewhere
// they get none and say so.
struct ProcessChartRequest {
  std::string kind;    // "ts", "hs" or "ph"
  std::string output;  // FILE.svg or FILE.png
  const ProcessResult* result = nullptr;
  StateEvaluator* evaluator = nullptr;  // of the result's standard
  const UnitSettings* units = nullptr;
};
using ProcessDrawer = int (*)(const ProcessChartRequest& request);
int DrawProcessChart(const ProcessChartRequest& request);  // with TULO_DIAGRAMS only

// tulo-calc process turbine|pump|throttle|calorimeter|mix|desuperheat|flash|heat ...
int ProcessCommand(const Args& args, ProcessDrawer drawer);
// tulo-calc cycle rankine ...
int CycleCommand(const Args& args, ProcessDrawer drawer);

}  // namespace tulo::cli
