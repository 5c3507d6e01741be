#include "app/SearchPanel.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "app/FieldText.h"
#include "common/Real6.h"
#include "common/Text.h"
#include "props/Catalogue.h"
#include "results/CellText.h"
#include "results/DisplayValue.h"
#include "results/Results.h"

namespace tulo {
namespace {

const char* const kInvalidSearch = "Invalid searching parameter.";
const char* const kSearchFailed = " Conditions are out of Allowable Range ";

// "Name (unit)": name and " (" cut to 32 characters, with the unit to 47, with ")" to 48.
std::string ListEntry(UnitSettings& units, Item item) {
  std::string s = Utf8Left(PropName(item) + " (", 32);
  s = Utf8Left(s + units.UnitText(PropQuantity(item)), 47);
  return Utf8Left(s + ")", 48);
}

void FillList(ComboBox& list, UnitSettings& units, std::span<const Item> items) {
  list.items.clear();
  for (Item item : items) list.items.push_back(ListEntry(units, item));
}

// The entry picked in a list, or, with none picked, the entry of the item the state keeps (the
// first entry for any other code).
int EntryOf(const ComboBox& list, std::span<const Item> items, Item kept) {
  const int count = static_cast<int>(items.size());
  if (list.itemIndex >= 0 && list.itemIndex < count) return list.itemIndex;
  auto it = std::find(items.begin(), items.end(), kept);
  return it == items.end() ? 0 : static_cast<int>(it - items.begin());
}

// The state's temperature or pressure held fixed by the search (the previous state's).
double& FixedValueOf(CalcState& st, Item given) {
  return given == Item::kTemperature ? st.PrevTempK : st.PrevPresKPa;
}

// A typed number in the display unit of q, in internal units, read and converted as the input
// checks do for the standard in use; nothing when it is no number or cannot be stored.
std::optional<long double> ReadInternal(Session& s, Quantity q, const std::string& text) {
  auto typed = s.Set().Storage().ReadTyped(text);
  if (!typed) return std::nullopt;
  long double inside = UnitConversion(s.units, s.Set(), q).ToInternal(*typed);
  if (!FitsReal6(inside)) return std::nullopt;
  return inside;
}

}  // namespace

void SearchPanel::SearchInitialiseClick() {
  FillList(c_.searchList, s_.units, kSearchItems);
  FillList(c_.givenList, s_.units, kGivenItems);
  c_.searchList.itemIndex = 0;
  c_.givenList.itemIndex = 0;
  SearchComboBoxChange();
  TempOrPressComboBoxChange();
}

void SearchPanel::SearchComboBoxChange() {
  int entry = c_.searchList.itemIndex;
  if (entry < 0 || entry >= static_cast<int>(std::size(kSearchItems))) return;
  CalcState& st = s_.state;
  Item item = kSearchItems[entry];
  if (st.Condition == Condition::kSatLiquidVapour && c_.useWetSteam.checked) {
    if (PropertyCalculator* calc = s_.Calculators().VarPropCalc(item))
      ComputeText(*calc, Phase::kWetSteam, c_.target.text, st.TempK, st.PresKPa, s_.units);
  } else {
    c_.target.text = StateFieldText(s_, PropQuantity(item), *ReferenceOf(st, item), false);
  }
  st.SearchItem = item;
}

void SearchPanel::TempOrPressComboBoxChange() {
  int entry = c_.givenList.itemIndex;
  if (entry < 0 || entry >= static_cast<int>(std::size(kGivenItems))) return;
  CalcState& st = s_.state;
  Item given = kGivenItems[entry];
  c_.fixed.text = StateFieldText(s_, PropQuantity(given), FixedValueOf(st, given), false);
  st.SearchGivenItem = given;
}

SearchOutcome SearchPanel::GoSearchClick() {
  CalcState& st = s_.state;
  SearchRequest request;
  request.searchItem = kSearchItems[EntryOf(c_.searchList, kSearchItems, st.SearchItem)];
  request.givenItem = kGivenItems[EntryOf(c_.givenList, kGivenItems, st.SearchGivenItem)];

  // The target is kept as the reference value even when the fixed value then fails.
  auto target = ReadInternal(s_, PropQuantity(request.searchItem), c_.target.text);
  if (target) *ReferenceOf(st, request.searchItem) = static_cast<double>(*target);
  auto fixed = target ? ReadInternal(s_, PropQuantity(request.givenItem), c_.fixed.text) : std::nullopt;
  if (!fixed) {
    platform_.ShowMessage(kInvalidSearch);
    return SearchOutcome::kInvalid;
  }
  // The fixed value has the limits of the input field it stands for.
  const Quantity givenQuantity = PropQuantity(request.givenItem);
  if (!checks_.InRange(givenQuantity, *fixed)) {
    platform_.ShowMessage(checks_.RangeText(givenQuantity));
    return SearchOutcome::kOutOfRange;
  }
  FixedValueOf(st, request.givenItem) = static_cast<double>(*fixed);

  request.target = *ReferenceOf(st, request.searchItem);
  request.fixedValue = FixedValueOf(st, request.givenItem);
  SearchAnswer answer = SearchState(s_, request);
  SearchFinish(request, answer);
  if (!answer.found) return SearchOutcome::kNotFound;
  host_.SetActivePage(st.Condition == Condition::kSatLiquidVapour ? kWetSteamPage : kVariableResultsPage);
  return SearchOutcome::kFound;
}

void SearchPanel::SearchFinish(const SearchRequest& request, const SearchAnswer& answer) {
  if (!answer.found) {
    platform_.ShowMessage(kSearchFailed);
    return;
  }
  CalcState& st = s_.state;
  bool saturated = st.Condition == Condition::kSatLiquidVapour;
  std::string qualityText = saturated ? StateFieldText(s_, kDimensionless, s_.steamQuality, true) : "";
  // Both writes go through the fields' change handlers: the state is recalculated as typed. The
  // fixed quantity is written first. A wet state typed as a temperature and a pressure is saturated
  // only in a standard that takes the states of its saturation band as saturated; in one that puts
  // a state on the line in the condensed phase (IAPWS) the fixed quantity alone gives it, the other
  // field emptied first.
  const bool fixedAlone = saturated && !s_.Set().BandStatesAreSaturated();
  const bool givenPressure = request.givenItem == Item::kPressure;
  const Field fixedField = givenPressure ? Field::kPressure : Field::kTemperature;
  const Field otherField = givenPressure ? Field::kTemperature : Field::kPressure;
  const std::string fixedText =
      StateFieldText(s_, givenPressure ? kPressure : kTemperature, request.fixedValue, true);
  const std::string otherText =
      fixedAlone ? "" : StateFieldText(s_, givenPressure ? kTemperature : kPressure, answer.x, true);
  host_.UseTemperatureAndPressure();
  if (fixedAlone) host_.WriteField(otherField, otherText);
  host_.WriteField(fixedField, fixedText);
  if (!fixedAlone) host_.WriteField(otherField, otherText);
  if (saturated && st.Condition == Condition::kSatLiquidVapour)
    host_.WriteField(Field::kWetSteam, qualityText);
}

}  // namespace tulo
