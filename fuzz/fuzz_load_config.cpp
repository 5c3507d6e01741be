// LoadConfig on any bytes of any length, then a session and a save. Nothing may crash; every
// input either loads as a valid record (exactly one record long, and read back as the very bytes
// it holds) or is refused with one message and never written; the units shown are always units of
// the table; a save keeps every reserved byte, and the file it writes loads again to the same
// record.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzPlatform.h"
#include "MemoryConfigFile.h"
#include "app/ConfigRecord.h"
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

// A record this program could have written: one record long, its fields within their lists.
bool IsValidRecord(const Bytes& disk) {
  if (disk.size() != tulo::kConfigRecordSize) return false;
  tulo::ConfigBytes bytes{};
  std::copy(disk.begin(), disk.end(), bytes.begin());
  return tulo::ConfigRecordProblem(bytes).empty();
}

void CheckReservedKept(const Bytes& before, const Bytes& after) {
  if (after.size() != before.size()) Fail("file size changed by the save");
  for (auto [first, end] : kReservedRanges)
    for (std::size_t i = first; i < end; ++i)
      if (after[i] != before[i]) Fail("reserved " + Where(i) + " changed by the save");
  if (!IsValidRecord(after)) Fail("the save wrote no valid record");
}

void CheckForm(const tulo::MainForm& form, const char* when) {
  std::string problem = tulo::testing::FormProblem(form);
  if (!problem.empty()) Fail(std::string(when) + ": " + problem);
}

// What the session took from the file is what the file holds: written back unchanged, the record
// gives the same bytes, but for a zero steam quality whose mantissa bytes are not zero.
void CheckReadAsHeld(tulo::MainForm& form, const Bytes& disk) {
  const tulo::ConfigBytes again = form.config().Record().Serialise();
  for (std::size_t i = 0; i < again.size(); ++i) {
    const bool zeroQuality = i > 660 && i < 666 && disk[660] == 0;
    if (again[i] != disk[i] && !zeroQuality) Fail(Where(i) + " read as another value");
  }
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
    if (IsValidRecord(disk)) Fail("a valid record refused: " + platform.messages.at(0));
    if (platform.messages.size() != 1) Fail("refusal without exactly one message");
    if (fileRef.IsOpen()) Fail("a refused file left open");
    // Not even a close request may write a refused file.
    form.FormCloseQuery();
    if (disk != before) Fail("a refused file was written");
    return false;
  }
  if (!IsValidRecord(disk)) Fail("a file that is no valid record loaded");
  CheckReadAsHeld(form, disk);
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
