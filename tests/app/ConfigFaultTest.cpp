// Faults of the configuration file as a user meets them, from start-up to the close request:
// files that go away or become unwritable while the program runs, directories it cannot write
// in, a disk that fills during the save. Whatever happens, the program ends with its message or
// question, and the file's bytes change only through a save that succeeded.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "app/ConfigTestSupport.h"
#include "app/FakePlatform.h"
#include "app/MainForm.h"
#include "app/UnitsForm.h"
#include "units/Presets.h"

namespace tulo {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::FakePlatform;
using testing::ReadBytes;
using testing::ScriptedConfigFile;
using testing::TempDir;
using testing::WriteBytes;

const char* const kCannotSave = "Cannot save changes to disk. Exit Anyway?";
const char* const kSaveUnits = "Save units for next session?";
constexpr UnitSelection kSaved = {2, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

Bytes SavedRecord() {
  ConfigRecord record = ConfigRecord::Fresh();
  record.SavedUnits = kSaved;
  for (std::size_t i = 0; i < record.Reserved0.size(); ++i)
    record.Reserved0[i] = static_cast<std::uint8_t>(i);
  record.SaveCount = 41;
  ConfigBytes bytes = record.Serialise();
  return Bytes(bytes.begin(), bytes.end());
}

std::uint32_t SaveCountOf(const Bytes& file) {
  return file[656] | file[657] << 8 | file[658] << 16 | static_cast<std::uint32_t>(file[659]) << 24;
}

// chmod stops no one running as root.
bool PermissionsBindUs(const std::string& path) {
  std::FILE* probe = std::fopen(path.c_str(), "r+b");
  if (probe != nullptr) std::fclose(probe);
  return probe == nullptr;
}

// The program over a configuration file in a temporary directory, with a scripted file layer.
struct Program {
  TempDir dir;
  std::string path = dir.File("tulodefw.dta");
  FakePlatform platform;
  ScriptedConfigFile* file = nullptr;
  std::unique_ptr<MainForm> form;

  explicit Program(std::optional<Bytes> content = SavedRecord()) {
    if (content) WriteBytes(path, *content);
    auto layer = std::make_unique<ScriptedConfigFile>();
    file = layer.get();
    form = std::make_unique<MainForm>(platform, std::make_unique<ConfigStore>(std::move(layer), path));
  }
  bool Start() {
    if (!form->InitialiseClick()) return false;
    form->FormActivate();
    form->WriteField(Field::kTemperature, "100");
    return true;
  }
  void ChangeUnits() {
    UnitsForm units(*form);
    units.SelectOverall(2);  // imperial
    units.UnitsOkClick();
  }
  fs::path Dir() const { return fs::path(path).parent_path(); }
};

TEST(ConfigFault, UnusableFileAtStartStopsWithOneMessageAndLeavesTheFileAlone) {
  struct Case {
    const char* name;
    std::optional<std::size_t> size;  // nullopt: no file
    bool folder;                      // a folder in the file's place
    const char* message;              // after "Configuration File "PATH" "
  };
  const Case cases[] = {
      {"missing", std::nullopt, false,
       "not found  -  Aborting\nA fresh one is made by: tulo-calc --create-config "},
      {"folder", std::nullopt, true, "is a folder, not a file  -  Aborting"},
      {"empty", 0, false, "is too short (0 bytes, 1032 expected)  -  Aborting"},
      {"short", 1031, false, "is too short (1031 bytes, 1032 expected)  -  Aborting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<Bytes> content;
    if (c.size) {
      content = SavedRecord();
      content->resize(*c.size);
    }
    Program p(content);
    if (c.folder) fs::create_directory(p.path);
    const std::string named = "\"" + p.path + "\"";
    EXPECT_FALSE(p.Start());
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.platform.messages[0],
              "Configuration File " + named + " " + c.message + (c.size || c.folder ? "" : named));
    EXPECT_EQ(p.file->writes, 0);
    EXPECT_FALSE(p.file->IsOpen());
    if (content) {
      EXPECT_EQ(ReadBytes(p.path), *content);
    } else {
      EXPECT_EQ(fs::exists(p.path), c.folder);
    }
  }
}

// The file is opened read-write at start and stays open: a file made read-only afterwards still
// takes the save (the protection counts when the program starts), as a new file renamed over it.
TEST(ConfigFault, FileMadeReadOnlyWhileRunningStillTakesTheSave) {
  Program p;
  ASSERT_TRUE(p.Start());
  fs::permissions(p.path, fs::perms::owner_read);
  p.ChangeUnits();
  p.platform.QueueAnswer(Answer::kYes);

  EXPECT_TRUE(p.form->FormCloseQuery());
  ASSERT_EQ(p.platform.questions.size(), 1u);
  EXPECT_EQ(p.platform.questions[0].text, kSaveUnits);
  Bytes now = ReadBytes(p.path);
  EXPECT_EQ(SaveCountOf(now), 42u);
  const UnitSelection imperial = PresetSelection(UnitPreset::kImperial);
  EXPECT_EQ(Bytes(now.begin() + 642, now.begin() + 654), Bytes(imperial.begin(), imperial.end()));
  EXPECT_EQ(fs::status(p.path).permissions() & fs::perms::all, fs::perms::owner_read);     // kept
  EXPECT_EQ(std::distance(fs::directory_iterator(p.Dir()), fs::directory_iterator()), 1);  // no other file
}

// A save makes its new file in the file's folder. A folder the user cannot write in is known at
// start: one warning, the question at close, and the file as it was. (As root, permissions stop
// nothing and the save goes through.)
TEST(ConfigFault, ReadOnlyFolderWarnsAtStartAndKeepsTheFile) {
  Program p;
  const Bytes original = ReadBytes(p.path);
  fs::permissions(p.Dir(), fs::perms::owner_read | fs::perms::owner_exec);
  const bool binds = !fs::exists(p.Dir() / "probe") && [&] {
    std::FILE* probe = std::fopen((p.Dir() / "probe").c_str(), "wb");
    if (probe != nullptr) std::fclose(probe);
    fs::remove(p.Dir() / "probe");
    return probe == nullptr;
  }();
  RecordProperty("folder_protection", binds ? "chmod" : "none (running as root)");
  ASSERT_TRUE(p.Start());
  p.ChangeUnits();
  p.platform.QueueAnswer(Answer::kYes);             // save units?
  if (binds) p.platform.QueueAnswer(Answer::kYes);  // exit anyway?
  EXPECT_TRUE(p.form->FormCloseQuery());
  fs::permissions(p.Dir(), fs::perms::owner_all);
  if (binds) {
    EXPECT_EQ(p.platform.messages,
              std::vector<std::string>{"Configuration File \"" + p.path +
                                       "\" cannot be written (no permission to write in its folder): unit "
                                       "changes will not be saved."});
    ASSERT_EQ(p.platform.questions.size(), 2u);
    EXPECT_EQ(p.platform.questions[1].text, kCannotSave);
    EXPECT_EQ(ReadBytes(p.path), original);
  } else {
    EXPECT_EQ(SaveCountOf(ReadBytes(p.path)), 42u);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(p.Dir()), fs::directory_iterator()), 1);
}

// A file write-protected before the start opens read-only, with one warning at start and the
// program going on; as root (where chmod protects nothing) the file layer refuses the read-write
// open instead. Each close asks again, as if for the first time, and tries again.
TEST(ConfigFault, WriteProtectedFileWarnsAtStartAsksAtEveryCloseAndStaysAsItWas) {
  Program p;
  fs::permissions(p.path, fs::perms::owner_read);
  p.file->refuseReadWrite = !PermissionsBindUs(p.path);
  const Bytes original = ReadBytes(p.path);
  ASSERT_TRUE(p.Start());
  EXPECT_EQ(p.platform.messages,
            std::vector<std::string>{
                "Configuration File \"" + p.path +
                "\" cannot be written (the file is read-only): unit changes will not be saved."});
  p.ChangeUnits();
  for (Answer exit : {Answer::kNo, Answer::kYes}) {
    p.platform.QueueAnswer(Answer::kYes);  // save units?
    p.platform.QueueAnswer(exit);          // exit anyway?
    EXPECT_EQ(p.form->FormCloseQuery(), exit == Answer::kYes);
  }
  ASSERT_EQ(p.platform.questions.size(), 4u);
  for (int i : {0, 2}) EXPECT_EQ(p.platform.questions[i].text, kSaveUnits);
  for (int i : {1, 3}) EXPECT_EQ(p.platform.questions[i].text, kCannotSave);
  EXPECT_EQ(ReadBytes(p.path), original);
  EXPECT_EQ(p.platform.messages.size(), 1u);
}

// A failed save is never final: once the disk has room again, the next close asks about the
// units again and saves them, counted once.
TEST(ConfigFault, CloseAfterAFailedSaveTriesAgain) {
  Program p;
  ASSERT_TRUE(p.Start());
  p.ChangeUnits();
  p.file->failWrite = true;
  p.platform.QueueAnswer(Answer::kYes);  // save units?
  p.platform.QueueAnswer(Answer::kNo);   // exit anyway? no: stay
  EXPECT_FALSE(p.form->FormCloseQuery());
  p.file->failWrite = false;
  p.platform.QueueAnswer(Answer::kYes);  // save units? asked again
  EXPECT_TRUE(p.form->FormCloseQuery());
  ASSERT_EQ(p.platform.questions.size(), 3u);
  EXPECT_EQ(p.platform.questions[2].text, kSaveUnits);
  const Bytes now = ReadBytes(p.path);
  EXPECT_EQ(SaveCountOf(now), 42u);
  const UnitSelection imperial = PresetSelection(UnitPreset::kImperial);
  EXPECT_EQ(Bytes(now.begin() + 642, now.begin() + 654), Bytes(imperial.begin(), imperial.end()));
}

// MPa units are stored like any other: saved at close, in force at the next start, and the units
// dialog's "Use Last Saved Units" picks them.
TEST(ConfigFault, MegapascalUnitsAreSavedAndComeBack) {
  Program first;
  ASSERT_TRUE(first.Start());
  {
    UnitsForm units(*first.form);
    units.SelectUnit(kPressure, 23);  // MPa gauge
    units.UnitsOkClick();
  }
  first.platform.QueueAnswer(Answer::kYes);
  ASSERT_TRUE(first.form->FormCloseQuery());
  Program second(ReadBytes(first.path));
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.form->UnitP.caption, "Pressure (MPa gauge)");
  UnitsForm units(*second.form);
  units.SelectOverall(1);  // SI
  units.SelectOverall(5);  // last saved
  EXPECT_EQ(units.List(kPressure).itemIndex, 23);
}

// A file deleted while the program runs cannot take the save: writing through the still-open
// stream would put the units into a file no one can see. The user is asked, and nothing is
// created in its place.
TEST(ConfigFault, FileRemovedWhileRunningAsksAndIsNotRecreated) {
  for (Answer answer : {Answer::kYes, Answer::kNo}) {
    SCOPED_TRACE(answer == Answer::kYes ? "Yes" : "No");
    Program p;
    ASSERT_TRUE(p.Start());
    fs::remove(p.path);
    p.platform.QueueAnswer(answer);
    EXPECT_EQ(p.form->FormCloseQuery(), answer == Answer::kYes);
    ASSERT_EQ(p.platform.questions.size(), 1u);
    EXPECT_EQ(p.platform.questions[0].text, kCannotSave);
    EXPECT_FALSE(p.file->IsOpen());
    EXPECT_FALSE(fs::exists(p.path));
  }
}

// A disk that fills during the save: the write fails after `written` bytes have reached the new
// file, or the device fails to take them. The old file is never touched, the new one is removed,
// and the user is asked.
TEST(ConfigFault, DiskFullDuringTheSaveLeavesTheFileAsItWas) {
  struct Case {
    std::optional<std::size_t> written;  // nullopt: every byte written, the flush fails
  };
  for (Case c : {Case{0}, Case{1}, Case{700}, Case{kConfigRecordSize - 1}, Case{std::nullopt}}) {
    SCOPED_TRACE(c.written ? std::to_string(*c.written) : "flush");
    const Bytes original = SavedRecord();
    Program p(original);
    ASSERT_TRUE(p.Start());
    p.ChangeUnits();
    p.file->failWriteAfter = c.written;
    p.file->failSync = !c.written;
    p.platform.QueueAnswer(Answer::kYes);  // save units?
    p.platform.QueueAnswer(Answer::kNo);   // exit anyway?
    EXPECT_FALSE(p.form->FormCloseQuery());
    ASSERT_EQ(p.platform.questions.size(), 2u);
    EXPECT_EQ(p.platform.questions[1].text, kCannotSave);
    EXPECT_EQ(ReadBytes(p.path), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(p.Dir()), fs::directory_iterator()), 1);
  }
}

// Files that are no configuration record this program wrote: another program's file, random
// bytes, a record with a field this program never writes. Each is refused at start with the
// message of a damaged file, and not one of its bytes is written, at start or at close.
TEST(ConfigFault, ForeignOrDamagedFileIsRefusedAndNeverWritten) {
  std::string csv = "time,T,P,flow\n";
  for (int i = 0; csv.size() < 5102; ++i)
    csv += "2024-03-0" + std::to_string(i % 9 + 1) + " 08:00,plant,101.3,7.25\n";
  csv.resize(5102);
  std::mt19937 random(7);
  Bytes noise(kConfigRecordSize);
  for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>(random());
  Bytes badUnit = SavedRecord();
  badUnit[643] = 25;  // pressure has 24 units

  struct Case {
    const char* name;
    Bytes content;
    const char* message;  // after "Configuration File "PATH" is damaged ("
  };
  const Case cases[] = {
      {"CSV text", Bytes(csv.begin(), csv.end()), "longer than 1032 bytes)  -  Aborting"},
      {"random bytes", noise, "byte "},
      {"unit number beyond its list", badUnit, "byte 643 holds 25, 1 to 24 expected)  -  Aborting"},
      {"a record with a tail",
       [] {
         Bytes b = SavedRecord();
         b.push_back(0);
         return b;
       }(),
       "longer than 1032 bytes)  -  Aborting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p(c.content);
    EXPECT_FALSE(p.Start());
    ASSERT_EQ(p.platform.messages.size(), 1u);
    const std::string start = "Configuration File \"" + p.path + "\" is damaged (" + c.message;
    EXPECT_EQ(p.platform.messages[0].substr(0, start.size()), start);
    EXPECT_TRUE(p.platform.messages[0].ends_with(")  -  Aborting")) << p.platform.messages[0];
    // The program stops here; even a close request writes nothing.
    p.platform.QueueAnswer(Answer::kYes);
    p.platform.QueueAnswer(Answer::kYes);
    p.form->FormCloseQuery();
    EXPECT_EQ(ReadBytes(p.path), c.content);
    EXPECT_EQ(std::distance(fs::directory_iterator(p.Dir()), fs::directory_iterator()), 1);
  }
}

}  // namespace
}  // namespace tulo
