#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/Config.h"
#include "app/ConfigTestSupport.h"
#include "app/FakePlatform.h"
#include "common/Real6.h"

namespace tulo {
namespace {

using testing::Bytes;
using testing::FakePlatform;
using testing::ReadBytes;
using testing::ScriptedConfigFile;
using testing::TempDir;
using testing::WriteBytes;

constexpr UnitSelection kStoredUnits = {2, 3, 4, 5, 6, 1, 7, 2, 3, 2, 3, 4};
constexpr UnitSelection kOtherUnits = {3, 12, 5, 2, 2, 1, 2, 2, 6, 2, 2, 3};
const char* const kSaveUnitsQuestion = "Save units for next session?";
const char* const kCannotSaveQuestion = "Cannot save changes to disk. Exit Anyway?";

Bytes Encoded(long double x) {
  Real6Bytes b = Real6::From(x)->Encode();
  return Bytes(b.begin(), b.end());
}

void Put(Bytes& bytes, std::size_t at, const Bytes& part) {
  std::copy(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// A record whose reserved areas hold a pattern no zero-filled or shifted write would reproduce,
// with plausible values in the typed fields.
Bytes PatternRecord() {
  Bytes b(kConfigRecordSize);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 3);
  b[612] = 0;     // SatGivenTemperature
  b[613] = 1;     // FullPropertyList
  b[614] = 0xA5;  // SpareFlag
  b[615] = 0;     // EntrySeen
  Put(b, 642, Bytes(kStoredUnits.begin(), kStoredUnits.end()));
  Put(b, 656, {0x04, 0x03, 0x02, 0x01});  // SaveCount 0x01020304
  Put(b, 660, Encoded(37.5L));            // SteamQuality
  b[666] = 16;                            // SearchItem
  b[667] = 35;                            // SearchGivenItem
  return b;
}

bool SameReservedBytes(const Bytes& a, const Bytes& b) {
  struct Range {
    std::size_t first, last;
  };
  for (Range r : {Range{0, 611}, Range{616, 641}, Range{654, 655}, Range{668, 1031}}) {
    for (std::size_t i = r.first; i <= r.last; ++i) {
      if (a.at(i) != b.at(i)) {
        ADD_FAILURE() << "reserved byte " << i << " changed";
        return false;
      }
    }
  }
  return true;
}

// One session over a configuration file in a temporary directory.
struct Session {
  explicit Session(const std::string& path,
                   std::unique_ptr<ConfigFile> file = std::make_unique<StdioConfigFile>())
      : store(std::move(file), path) {}
  ConfigStore store;
  UnitSettings units;
  ConfigWorkingValues working;
  FakePlatform platform;

  bool Close() {
    bool canClose = false;
    SaveConfig(store, units, working, platform, canClose);
    return canClose;
  }
};

TEST(ConfigRecord, FieldsSitAtTheirOffsets) {
  Bytes b = PatternRecord();
  ConfigBytes raw;
  std::copy(b.begin(), b.end(), raw.begin());
  ConfigRecord r = ConfigRecord::Parse(raw);
  EXPECT_FALSE(r.SatGivenTemperature);
  EXPECT_TRUE(r.FullPropertyList);
  EXPECT_EQ(r.SpareFlag, 0xA5);
  EXPECT_EQ(r.EntrySeen, 0);
  EXPECT_EQ(r.SavedUnits, kStoredUnits);
  EXPECT_EQ(r.SaveCount, 0x01020304u);
  EXPECT_EQ(r.SteamQuality, 37.5);
  EXPECT_EQ(r.SearchItem, 16);
  EXPECT_EQ(r.SearchGivenItem, 35);
  EXPECT_EQ(r.Reserved0[0], 3);
  EXPECT_EQ(r.Reserved668[363], static_cast<std::uint8_t>(1031 * 7 + 3));
  EXPECT_EQ(r.Serialise(), raw);
}

TEST(Config, RoundTripKeepsReservedBytesAndCountsSaves) {
  TempDir dir;
  const std::string path = dir.File("tulodefw.dta");
  const Bytes original = PatternRecord();
  WriteBytes(path, original);

  Session s(path);
  ASSERT_TRUE(CheckConfigExists(s.store).Ok());
  ConfigStatus loaded = LoadConfig(s.store, s.units, s.working);
  ASSERT_TRUE(loaded.Ok()) << loaded.errorText;
  EXPECT_TRUE(s.store.IsOpen());
  EXPECT_EQ(s.units.GetUnitSelection(), kStoredUnits);
  EXPECT_EQ(s.units.UnitText(kTemperature), "Celsius");
  EXPECT_FALSE(s.working.SatGivenTemperature);
  EXPECT_TRUE(s.working.FullPropertyList);
  EXPECT_EQ(s.working.SpareFlag, 0xA5);
  EXPECT_EQ(s.working.SearchItem, 16);
  EXPECT_EQ(s.working.SearchGivenItem, 35);
  EXPECT_EQ(s.store.Record().SteamQuality, 37.5);

  // What a session changes: the working values, and the fields used in place in the record.
  s.working.SatGivenTemperature = true;
  s.working.FullPropertyList = false;
  s.working.SearchItem = 18;
  s.working.SearchGivenItem = 34;
  s.store.Record().EntrySeen = 1;
  s.store.Record().SteamQuality = static_cast<double>(R6(62.25L));
  EXPECT_TRUE(s.Close());
  EXPECT_TRUE(s.platform.questions.empty());  // units unchanged: nothing to ask
  EXPECT_FALSE(s.store.IsOpen());

  Bytes saved = ReadBytes(path);
  ASSERT_EQ(saved.size(), kConfigRecordSize);
  EXPECT_TRUE(SameReservedBytes(saved, original));
  Bytes expected = original;
  expected[612] = 1;
  expected[613] = 0;
  expected[615] = 1;
  Put(expected, 656, {0x05, 0x03, 0x02, 0x01});
  Put(expected, 660, Encoded(62.25L));
  expected[666] = 18;
  expected[667] = 34;
  EXPECT_EQ(saved, expected);

  // The next session sees the saved values and counts one more save.
  Session next(path);
  ASSERT_TRUE(LoadConfig(next.store, next.units, next.working).Ok());
  EXPECT_EQ(next.store.Record().SaveCount, 0x01020305u);
  EXPECT_EQ(next.working.SearchItem, 18);
  EXPECT_TRUE(next.Close());
  Bytes again = ReadBytes(path);
  EXPECT_EQ(Bytes(again.begin() + 656, again.begin() + 660), (Bytes{0x06, 0x03, 0x02, 0x01}));
}

TEST(Config, AsksAboutChangedUnitsOnly) {
  struct Case {
    const char* name;
    std::optional<UnitSelection> unitsInUse;  // nullopt: left as loaded
    std::optional<Answer> answer;
    bool canClose;
    bool written;
    UnitSelection savedUnits;
  };
  const Case cases[] = {
      {"unchanged", std::nullopt, std::nullopt, true, true, kStoredUnits},
      {"changed, Yes", kOtherUnits, Answer::kYes, true, true, kOtherUnits},
      {"changed, No", kOtherUnits, Answer::kNo, true, true, kStoredUnits},
      {"changed, Cancel", kOtherUnits, Answer::kCancel, false, false, kStoredUnits},
      // One byte is enough to count as a change.
      {"last byte changed, No", UnitSelection{2, 3, 4, 5, 6, 1, 7, 2, 3, 2, 3, 3}, Answer::kNo, true, true,
       kStoredUnits},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.File("tulodefw.dta");
    const Bytes original = PatternRecord();
    WriteBytes(path, original);
    Session s(path);
    ASSERT_TRUE(LoadConfig(s.store, s.units, s.working).Ok());
    if (c.unitsInUse) s.units.SetUnitSelection(*c.unitsInUse);
    if (c.answer) s.platform.QueueAnswer(*c.answer);

    EXPECT_EQ(s.Close(), c.canClose);
    ASSERT_EQ(s.platform.questions.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(s.platform.questions[0].text, kSaveUnitsQuestion);
      EXPECT_TRUE(s.platform.questions[0].withCancel);
    }
    Bytes now = ReadBytes(path);
    if (c.written) {
      EXPECT_TRUE(SameReservedBytes(now, original));
      EXPECT_EQ(Bytes(now.begin() + 642, now.begin() + 654), Bytes(c.savedUnits.begin(), c.savedUnits.end()));
      EXPECT_EQ(Bytes(now.begin() + 656, now.begin() + 660), (Bytes{0x05, 0x03, 0x02, 0x01}));
      EXPECT_FALSE(s.store.IsOpen());
    } else {
      EXPECT_EQ(now, original);
      EXPECT_EQ(s.store.Record().SaveCount, 0x01020304u);
      EXPECT_TRUE(s.store.IsOpen());
    }
  }
}

TEST(Config, CancelLeavesTheFileOpenForTheNextCloseRequest) {
  TempDir dir;
  const std::string path = dir.File("tulodefw.dta");
  WriteBytes(path, PatternRecord());
  Session s(path);
  ASSERT_TRUE(LoadConfig(s.store, s.units, s.working).Ok());
  s.units.SetUnitSelection(kOtherUnits);
  s.platform.QueueAnswer(Answer::kCancel);
  s.platform.QueueAnswer(Answer::kYes);
  EXPECT_FALSE(s.Close());
  EXPECT_TRUE(s.Close());
  EXPECT_EQ(s.platform.questions.size(), 2u);
  Bytes now = ReadBytes(path);
  EXPECT_EQ(Bytes(now.begin() + 642, now.begin() + 654), Bytes(kOtherUnits.begin(), kOtherUnits.end()));
  EXPECT_EQ(now[656], 0x05);  // counted once: the cancelled request saved nothing
}

// chmod does not stop root from writing. Then the write protection is simulated by refusing the
// read-write open, which still leaves a real read-only stream whose write fails.
std::unique_ptr<ConfigFile> WriteProtect(const std::string& path, bool& simulated) {
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  std::FILE* probe = std::fopen(path.c_str(), "r+b");
  simulated = probe != nullptr;
  if (probe != nullptr) std::fclose(probe);
  auto file = std::make_unique<ScriptedConfigFile>();
  file->refuseReadWrite = simulated;
  return file;
}

TEST(Config, WriteProtectedFileLoadsAndAsksAtClose) {
  for (Answer answer : {Answer::kYes, Answer::kNo}) {
    const bool yes = answer == Answer::kYes;
    SCOPED_TRACE(yes ? "Yes" : "No");
    TempDir dir;
    const std::string path = dir.File("tulodefw.dta");
    const Bytes original = PatternRecord();
    WriteBytes(path, original);
    bool simulated = false;
    Session s(path, WriteProtect(path, simulated));
    RecordProperty("write_protection", simulated ? "simulated (running as root)" : "chmod");

    ConfigStatus loaded = LoadConfig(s.store, s.units, s.working);
    ASSERT_TRUE(loaded.Ok()) << loaded.errorText;
    EXPECT_EQ(s.units.GetUnitSelection(), kStoredUnits);
    s.working.SearchItem = 18;
    s.platform.QueueAnswer(answer);
    EXPECT_EQ(s.Close(), yes);
    ASSERT_EQ(s.platform.questions.size(), 1u);
    EXPECT_EQ(s.platform.questions[0].text, kCannotSaveQuestion);
    EXPECT_FALSE(s.platform.questions[0].withCancel);
    EXPECT_FALSE(s.store.IsOpen());
    EXPECT_EQ(ReadBytes(path), original);

    if (!yes) {
      // The window stays open with the file closed: every later close asks again.
      s.platform.QueueAnswer(Answer::kNo);
      s.platform.QueueAnswer(Answer::kYes);
      EXPECT_FALSE(s.Close());
      EXPECT_TRUE(s.Close());
      ASSERT_EQ(s.platform.questions.size(), 3u);
      EXPECT_EQ(s.platform.questions[2].text, kCannotSaveQuestion);
      EXPECT_EQ(ReadBytes(path), original);
    }
  }
}

TEST(Config, FailedWriteAsksAndClosesTheFile) {
  struct Case {
    const char* name;
    bool failWrite;
    bool failSync;
    Answer answer;
  };
  const Case cases[] = {
      {"disk full, Yes", true, false, Answer::kYes},
      {"disk full, No", true, false, Answer::kNo},
      {"flush to the device fails, No", false, true, Answer::kNo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.File("tulodefw.dta");
    const Bytes original = PatternRecord();
    WriteBytes(path, original);
    auto owned = std::make_unique<ScriptedConfigFile>();
    ScriptedConfigFile& file = *owned;
    Session s(path, std::move(owned));
    ASSERT_TRUE(LoadConfig(s.store, s.units, s.working).Ok());
    file.failWrite = c.failWrite;
    file.failSync = c.failSync;
    s.platform.QueueAnswer(c.answer);
    EXPECT_EQ(s.Close(), c.answer == Answer::kYes);
    ASSERT_EQ(s.platform.questions.size(), 1u);
    EXPECT_EQ(s.platform.questions[0].text, kCannotSaveQuestion);
    EXPECT_EQ(file.writes, 1);
    EXPECT_EQ(file.closes, 1);
    EXPECT_FALSE(s.store.IsOpen());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")), {}), 1);  // no temporary left
  }
}

// The messages name the file with its folder, and say what to do or what is wrong.
TEST(Config, UnusableFilesStopWithAMessageAndAreLeftAlone) {
  struct Case {
    const char* name;
    std::optional<std::size_t> size;  // nullopt: no file
    bool refuseOpens;
    bool failRead;
    bool exists;
    std::string message;  // after "Configuration File "PATH" "; for a missing file, then the command
  };
  const Case cases[] = {
      {"missing", std::nullopt, false, false, false, "not found  -  Aborting\nA fresh one is made by: "},
      {"empty", 0, false, false, true, "is too short (0 bytes, 1032 expected)  -  Aborting"},
      {"one byte", 1, false, false, true, "is too short (1 bytes, 1032 expected)  -  Aborting"},
      {"one byte short", 1031, false, false, true, "is too short (1031 bytes, 1032 expected)  -  Aborting"},
      {"not openable", 1032, true, false, true, "cannot be opened (no permission to read it)  -  Aborting"},
      {"read error", 1032, false, true, true, "cannot be read  -  Aborting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.File("tulodefw.dta");
    const std::string named = "Configuration File \"" + path + "\" ";
    Bytes original;
    if (c.size) {
      original = PatternRecord();
      original.resize(*c.size);
      WriteBytes(path, original);
    }
    auto file = std::make_unique<ScriptedConfigFile>();
    file->refuseReadWrite = file->refuseReadOnly = c.refuseOpens;
    file->failRead = c.failRead;
    Session s(path, std::move(file));
    s.units.SetUnitSelection(kOtherUnits);

    ConfigStatus exists = CheckConfigExists(s.store);
    EXPECT_EQ(exists.Ok(), c.exists);
    const std::string expected =
        named + c.message + (c.exists ? "" : "tulo-calc --create-config \"" + path + "\"");
    if (!c.exists) {
      EXPECT_EQ(exists.errorText, expected);
    }
    ConfigStatus loaded = LoadConfig(s.store, s.units, s.working);
    EXPECT_EQ(loaded.errorText, expected);
    EXPECT_EQ(loaded.warningText, "");
    EXPECT_FALSE(s.store.IsOpen());
    EXPECT_EQ(s.units.GetUnitSelection(), kOtherUnits);  // the units module was not touched
    if (c.size) {
      EXPECT_EQ(ReadBytes(path), original);
    } else {
      EXPECT_FALSE(std::filesystem::exists(path));  // not created either
    }
  }
}

// A file of a record and more is not a file this program wrote: refused, and its bytes, those
// after the record included, stay as they are.
TEST(Config, BytesAfterTheRecordAreKept) {
  TempDir dir;
  const std::string path = dir.File("tulodefw.dta");
  Bytes original = PatternRecord();
  for (int i = 0; i < 100; ++i) original.push_back(static_cast<std::uint8_t>(0xF0 ^ i));
  WriteBytes(path, original);
  Session s(path);
  ConfigStatus loaded = LoadConfig(s.store, s.units, s.working);
  EXPECT_EQ(loaded.errorText,
            "Configuration File \"" + path + "\" is damaged (longer than 1032 bytes)  -  Aborting");
  s.platform.QueueAnswer(Answer::kYes);  // exit anyway?
  EXPECT_TRUE(s.Close());
  EXPECT_EQ(ReadBytes(path), original);
}

// Each field the program reads or sets holds only what the program writes there; one byte out of
// place marks the whole file as damaged. The edges of every range still load.
TEST(Config, FieldsOutsideTheirRangesMarkTheFileDamaged) {
  struct Case {
    const char* name;
    std::size_t at;
    Bytes bytes;
    std::string problem;  // empty: the record loads
  };
  const Case cases[] = {
      {"SatGivenTemperature 2", 612, {2}, "byte 612 holds 2, 0 or 1 expected"},
      {"FullPropertyList text", 613, {'l'}, "byte 613 holds 108, 0 or 1 expected"},
      {"EntrySeen 255", 615, {255}, "byte 615 holds 255, 0 or 1 expected"},
      {"SpareFlag any byte", 614, {255}, ""},
      {"temperature unit 0", 642, {0}, "byte 642 holds 0, 1 to 4 expected"},
      {"pressure unit 25", 643, {25}, "byte 643 holds 25, 1 to 24 expected"},
      {"a quantity with one unit", 647, {2}, "byte 647 holds 2, 1 to 1 expected"},
      {"last unit 5", 653, {5}, "byte 653 holds 5, 1 to 4 expected"},
      {"every unit its last", 642, {4, 24, 8, 6, 6, 1, 8, 6, 6, 3, 4, 4}, ""},
      {"search item 17", 666, {17}, "byte 666 holds 17, one of 0, 15, 16, 18 expected"},
      {"search item none yet", 666, {0}, ""},
      {"given item 36", 667, {36}, "byte 667 holds 36, one of 0, 34, 35 expected"},
      {"given item none yet", 667, {0}, ""},
      {"quality 100.5 %", 660, Encoded(100.5L), "bytes 660 to 665 hold no steam quality from 0 to 100 %"},
      {"quality -1 %", 660, Encoded(-1.0L), "bytes 660 to 665 hold no steam quality from 0 to 100 %"},
      {"quality 100 %", 660, Encoded(100.0L), ""},
      {"quality 0 %", 660, Bytes(6, 0), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes b = PatternRecord();
    Put(b, c.at, c.bytes);
    ConfigBytes raw;
    std::copy(b.begin(), b.end(), raw.begin());
    EXPECT_EQ(ConfigRecordProblem(raw), c.problem);

    TempDir dir;
    const std::string path = dir.File("tulodefw.dta");
    WriteBytes(path, b);
    Session s(path);
    ConfigStatus loaded = LoadConfig(s.store, s.units, s.working);
    if (c.problem.empty()) {
      EXPECT_TRUE(loaded.Ok()) << loaded.errorText;
      continue;
    }
    EXPECT_EQ(loaded.errorText,
              "Configuration File \"" + path + "\" is damaged (" + c.problem + ")  -  Aborting");
    EXPECT_FALSE(s.store.IsOpen());
    EXPECT_EQ(ReadBytes(path), b);
  }
}

TEST(FakePlatform, FailsOnAQuestionWithNoAnswerQueued) {
  FakePlatform platform;
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(platform.Confirm(kSaveUnitsQuestion, true), Answer::kCancel),
                          "unexpected question");
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(platform.Confirm(kCannotSaveQuestion, false), Answer::kNo),
                          "unexpected question");
  EXPECT_EQ(platform.questions.size(), 2u);
}

}  // namespace
}  // namespace tulo
