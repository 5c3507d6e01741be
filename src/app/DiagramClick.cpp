#include "app/DiagramClick.h"

#include "units/Format.h"

namespace tulo {

void WriteDiagramState(MainForm& form, const DiagramState& state) {
  const std::string t = TrimZeros(form.InputText(kTemperature, state.T));
  form.UseTemperatureAndPressure();
  if (state.wet) {
    const std::string quality = TrimZeros(form.InputText(kDimensionless, state.quality));
    form.WriteField(Field::kPressure, "");
    form.WriteField(Field::kTemperature, t);
    form.WriteField(Field::kWetSteam, quality);
    form.SetActivePage(kWetSteamPage);
    return;
  }
  const std::string p = TrimZeros(form.InputText(kPressure, state.P));
  form.WriteField(Field::kTemperature, t);
  form.WriteField(Field::kPressure, p);
  form.SetActivePage(kVariableResultsPage);
}

}  // namespace tulo
