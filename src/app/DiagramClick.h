#pragma once
// A click on a chart sets the state there: its temperature and pressure are written into the
// input fields as a steam search writes its answer, and the window recalculates as if they had
// been typed, with the Variable Results page in front. Inside the dome the saturation temperature alone (with
// the pressure field emptied, so that the state is saturated) and the steam quality are written, and the Wet
// Steam page is brought to the front.

#include "app/MainForm.h"
#include "results/DiagramPick.h"

namespace tulo {

void WriteDiagramState(MainForm& form, const DiagramState& state);

}  // namespace tulo
