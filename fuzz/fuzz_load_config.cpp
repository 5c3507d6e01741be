// LoadConfig on any bytes of any length, then a session and a save. Nothing may crash; a file
// that cannot be used is refused with a message and left as it was; the units shown are always
// units of the table; a save keeps every reserved byte and every byte after the record, and the
// file it writes loads again to the same record.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzPlatform.h"
#include "MemoryConfigFile.h"
#include "app/FormInvariants.h"
#include "app/MainForm.h"
#include "app/UnitsForm.h"

using tulo::fuzz::Fail;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::size_t kReservedRanges[][2] = {{0, 612}, {616, 642}, {654, 656}, {668, 1032}};

std::string Where(std::size_t at) {
  return "byte " + std::to_string(at);
}

void CheckReservedKept(const Bytes& before, const Bytes& after) {
  if (after.size() != before.size()) Fail("file size changed by the save");
  for (auto [first, end] : kReservedRanges)
    for (std::size_t i = first; i < end; ++i)
      if (after[i] != before[i]) Fail("reserved " + Where(i) + " changed by the save");
  for (std::size_t i = tulo::kConfigRecordSize; i < before.size(); ++i)
    if (after[i] != before[i]) Fail(Where(i) + " after the record changed by the save");
}

void CheckForm(const tulo::MainForm& form, const char* when) {
  std::string problem = tulo::testing::FormProblem(form);
  if (!problem.empty()) Fail(std::string(when) + ": " + problem);
}

// Every unit the session shows is one of its quantity's table entries, and the units dialog's
// lists point at existing entries.
void CheckUnitsShown(tulo::MainForm& form) {
  tulo::UnitsForm dialog(form);
  for (int q = 0; q < tulo::kQuantityCount; ++q) {
    std::string text = form.session().units.UnitText(q);
    if (!tulo::testing::IsUnitTextOf(q, text))
      Fail("quantity " + std::to_string(q) + " shows unit \"" + text + "\"");
    const tulo::ComboBox& list = dialog.List(q);
    if (list.itemIndex < 0 || list.itemIndex >= static_cast<int>(list.items.size()))
      Fail("units dialog list " + std::to_string(q) + " at entry " + std::to_string(list.itemIndex));
  }
}

// One run of the program over the file `disk`: start, show a saturated state (which also fills the
// wet-steam grid), close. Returns whether the start succeeded.
bool RunSession(Bytes& disk, bool writeProtected) {
  tulo::fuzz::FuzzPlatform platform;
  auto file = std::make_unique<tulo::fuzz::MemoryConfigFile>(disk);
  file->readOnly = writeProtected;
  tulo::fuzz::MemoryConfigFile& fileRef = *file;
  tulo::MainForm form(platform, std::make_unique<tulo::ConfigStore>(std::move(file)));
  const Bytes before = disk;
  if (!form.InitialiseClick()) {
    if (disk.size() >= tulo::kConfigRecordSize)
      Fail("a file of " + std::to_string(disk.size()) + " bytes refused");
    if (platform.messages.size() != 1) Fail("refusal without exactly one message");
    if (fileRef.writes != 0 || disk != before) Fail("a refused file was written");
    return false;
  }
  form.FormActivate();
  CheckForm(form, "after start-up");
  CheckUnitsShown(form);
  // A rejected quality first, so that the quality read from the file is the one in effect.
  form.WriteField(tulo::Field::kWetSteam, "x");
  form.WriteField(tulo::Field::kTemperature, "373.15");
  CheckForm(form, "saturated state");
  form.WriteField(tulo::Field::kPressure, "101.325");
  CheckForm(form, "state at both");

  const tulo::UnitSelection saved = form.config().Record().SavedUnits;
  if (!form.FormCloseQuery()) Fail("close refused with unchanged units");
  if (!platform.questions.empty() && !writeProtected) Fail("question at close: " + platform.questions[0]);
  if (writeProtected) {
    if (disk != before) Fail("a write-protected file was changed");
    return true;
  }
  CheckReservedKept(before, disk);
  if (!std::equal(saved.begin(), saved.end(), disk.begin() + 642))
    Fail("saved units changed with none picked");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes original(data, data + size);

  Bytes protectedDisk = original;
  RunSession(protectedDisk, true);

  Bytes disk = original;
  if (!RunSession(disk, false)) return 0;
  // What was written loads again, and a second save changes nothing but the save counter.
  Bytes first = disk;
  if (!RunSession(disk, false)) Fail("the written file does not load again");
  for (std::size_t i = 0; i < disk.size(); ++i)
    if ((i < 656 || i >= 660) && disk[i] != first[i])
      Fail(Where(i) + " changed by a second identical session");
  return 0;
}
