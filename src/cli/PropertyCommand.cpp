// tulo-calc property ITEM PHASE T_K P_KPA [--units U] [--quality PCT]: one calculator, fresh.

#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "cli/CliText.h"
#include "cli/Commands.h"
#include "common/NumberReader.h"
#include "common/Text.h"
#include "props/BuiltInSet.h"
#include "results/CellText.h"
#include "results/Standards.h"
#include "units/Presets.h"
#include "units/Units.h"

namespace tulo::cli {
namespace {

std::optional<int> ReadInteger(const std::string& text, int lo, int hi) {
  auto v = ReadNumber(text);
  if (!v || *v != static_cast<int>(*v) || *v < lo || *v > hi) return std::nullopt;
  return static_cast<int>(*v);
}

int Fail(const std::string& message) {
  std::cerr << "tulo-calc property: " << message << "\n";
  return 2;
}

}  // namespace

int PropertyCommand(const Args& args) {
  std::vector<std::string> positional;
  UnitSelection units = PresetSelection(UnitPreset::kSI);
  std::string qualityText = "0";
  const CorrelationSet* set = &BuiltInCorrelations();
  std::set<std::string> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool option = a == "--standard" || a == "--units" || a == "--quality";
    if (option && !given.insert(a).second) return Fail("option " + a + " given twice");
    if (a == "--standard") {
      if (i + 1 >= args.size()) return Fail(a + " needs a value");
      set = CorrelationSetNamed(args[++i]);
      if (set == nullptr) return Fail(UnknownStandardText(args[i]));
    } else if (a == "--units" || a == "--quality") {
      if (i + 1 >= args.size()) return Fail(a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--units") {
        auto sel = ParseUnitsArgument(v);
        if (!sel) return Fail(UnknownUnitsText(v));
        units = *sel;
      } else {
        if (!ReadNumber(v)) return Fail(NumberProblem(v));
        qualityText = v;
      }
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 4)
    return Fail("usage: tulo-calc property ITEM PHASE T_K P_KPA [--units U] [--standard S] [--quality PCT]");
  // The codes as typed: the catalogue's item codes and the phase codes.
  std::optional<Item> item;
  if (auto code = ReadInteger(positional[0], 0, kItemCount - 1)) item = ItemFromCode(*code);
  if (!item || !IsVariableItem(*item))
    return Fail("ITEM must be a variable property item, 15 to 33: " + Shown(positional[0]));
  std::optional<Phase> phase;
  if (auto code = ReadInteger(positional[1], 0, kPhaseCount - 1)) phase = PhaseFromCode(*code);
  if (!phase) return Fail("PHASE must be 0 to 10: " + Shown(positional[1]));
  auto T = set->Storage().ReadTyped(positional[2]);
  if (!T) return Fail(NumberProblem(positional[2]));
  auto P = set->Storage().ReadTyped(positional[3]);
  if (!P) return Fail(NumberProblem(positional[3]));
  // Read once the standard is known, as it reads a typed number (any text ReadNumber takes).
  const double quality = set->Storage().ReadTyped(qualityText).value_or(0.0);

  UnitSettings unitSettings;
  unitSettings.InitUnits(units);
  // Inner calls of single-phase states use the state's own condition; others a saturated one.
  Condition condition = ConditionOf(*phase).value_or(Condition::kSatLiquidVapour);
  CalcContext ctx{quality, condition};
  std::unique_ptr<CalculatorTable> calculators = set->MakeCalculators(ctx);
  PropertyCalculator* calc = calculators->VarPropCalc(*item);
  if (calc == nullptr) return Fail("the calculator of item " + Shown(positional[0]) + " is not available");

  // Inputs beyond the standard's limits give no value, as in the window and the module.
  const bool inLimits = InputsInLimits(*set, *item, *phase, *T, *P, quality);
  const CalcResult result = inLimits ? calc->Compute(*phase, *T, *P) : CalcResult::OutOfRange();
  // A fresh set again for the text, so that the kept call of the first evaluation plays no part.
  std::unique_ptr<CalculatorTable> textCalculators = set->MakeCalculators(ctx);
  std::string text;
  if (inLimits)
    ComputeText(*textCalculators->VarPropCalc(*item), *phase, text, *T, *P, unitSettings);
  else
    text = CellText(*calc, result, unitSettings);

  const std::string valueText = result.Ok() ? GeneralText(result.value, 15) : std::string();
  std::cout << static_cast<int>(result.status) << "\t" << valueText << "\t" << text << "\n";
  return 0;
}

}  // namespace tulo::cli
