#pragma once
// The steam-search page: its two lists (the property searched for, the quantity held fixed), the
// two boxes they fill, and the search itself with the state it writes back.

#include <string>

#include "app/FormControls.h"
#include "app/InputChecks.h"
#include "app/PlatformServices.h"
#include "props/Catalogue.h"
#include "results/Session.h"
#include "results/SteamSearch.h"

namespace tulo {

// What the panel needs of the window it sits in.
class SearchHost {
 public:
  // Stores the text of a field and runs its change handler, as typing does.
  virtual void WriteField(Field field, const std::string& text) = 0;
  // Makes the two input fields a temperature and a pressure before the state found is written.
  virtual void UseTemperatureAndPressure() = 0;
  virtual void SetActivePage(int page) = 0;

 protected:
  ~SearchHost() = default;
};

// The entries of the two lists: the property searched for and the quantity held fixed.
inline constexpr Item kSearchItems[] = {Item::kEnthalpy, Item::kEntropy, Item::kDensity};
inline constexpr Item kGivenItems[] = {Item::kTemperature, Item::kPressure};

// The window's controls the panel reads and writes.
struct SearchControls {
  ComboBox& searchList;  // SearchComboBox: enthalpy, entropy, density
  ComboBox& givenList;   // TempOrPressComboBox: temperature, pressure
  EditField& target;     // SearchBox
  EditField& fixed;      // TempOrPressBox
  const CheckBox& useWetSteam;
};

// How a steam search ended: a state found and written into the fields; a box that is not a
// number; a fixed value outside the input range of its quantity; no state with the target value.
enum class SearchOutcome { kFound, kInvalid, kOutOfRange, kNotFound };

class SearchPanel {
 public:
  // All five must outlive the panel.
  SearchPanel(Session& session, const InputChecks& checks, PlatformServices& platform, SearchHost& host,
              SearchControls controls)
      : s_(session), checks_(checks), platform_(platform), host_(host), c_(controls) {}

  // Fills both lists in the units in use and picks their first entries.
  void SearchInitialiseClick();
  // The target box: the reference value of the entry picked, or the wet-steam value of a
  // saturated state when the check box asks for it.
  void SearchComboBoxChange();
  // The fixed-value box: the temperature or pressure of the state shown.
  void TempOrPressComboBoxChange();
  // Reads both boxes, searches, and writes the state found back into the fields.
  SearchOutcome GoSearchClick();

 private:
  void SearchFinish(const SearchRequest& request, const SearchAnswer& answer);

  Session& s_;
  const InputChecks& checks_;
  PlatformServices& platform_;
  SearchHost& host_;
  SearchControls c_;
};

}  // namespace tulo
