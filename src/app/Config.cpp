#include "app/Config.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "common/AtomicFile.h"

namespace tulo {
namespace {

// The name the messages show: the file with the folder it was looked for in (the working folder
// for the bare name), so that the user knows where it is missing or stuck.
std::string ShownName(const ConfigStore& store) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(store.Path(), ec);
  if (ec) full = store.Path();
  std::string name(1, '"');
  name.append(full.lexically_normal().string()).push_back('"');
  return name;
}

// A failure that stops the program.
ConfigStatus Stop(std::string text) {
  ConfigStatus status;
  status.errorText = std::move(text);
  return status;
}

std::string Reason(const std::string& failure) {
  return failure.empty() ? std::string() : std::string(" (").append(failure).append(")");
}

// Reads the record from the open file and checks it: a file of another size, or one whose fields
// hold what this program never writes there, is refused before anything of it is used, and is
// never written to. One byte more than a record is asked for, so that a longer file shows.
ConfigStatus ReadChecked(ConfigStore& store, ConfigBytes& bytes) {
  std::array<std::uint8_t, kConfigRecordSize + 1> read{};
  const std::optional<std::size_t> got = store.File().ReadRecord(read);
  const std::string named = "Configuration File " + ShownName(store);
  if (!got) return Stop(named + " cannot be read  -  Aborting");
  if (*got < kConfigRecordSize)
    return Stop(named + " is too short (" + std::to_string(*got) + " bytes, " +
                std::to_string(kConfigRecordSize) + " expected)  -  Aborting");
  if (*got > kConfigRecordSize)
    return Stop(named + " is damaged (longer than " + std::to_string(kConfigRecordSize) +
                " bytes)  -  Aborting");
  std::copy_n(read.begin(), kConfigRecordSize, bytes.begin());
  if (std::string problem = ConfigRecordProblem(bytes); !problem.empty())
    return Stop(named + " is damaged (" + problem + ")  -  Aborting");
  return {};
}

}  // namespace

ConfigStore::ConfigStore(std::unique_ptr<ConfigFile> file, std::string path)
    : file_(std::move(file)), path_(std::move(path)) {}

ConfigStatus CheckConfigExists(const ConfigStore& store) {
  if (store.File().Exists(store.Path())) return {};
  const std::string name = ShownName(store);
  if (store.File().IsFolder(store.Path()))
    return Stop("Configuration File " + name + " is a folder, not a file  -  Aborting");
  return Stop("Configuration File " + name +
              " not found  -  Aborting\nA fresh one is made by: tulo-calc --create-config " + name);
}

ConfigStatus LoadConfig(ConfigStore& store, UnitSettings& units, ConfigWorkingValues& working) {
  ConfigFile& file = store.File();
  // A write-protected file still loads, with a warning; its write at close fails and the user
  // is asked then.
  const bool writable = file.OpenReadWrite(store.Path());
  const std::string writeFailure = writable ? "" : file.OpenFailure();
  if (!writable && !file.OpenReadOnly(store.Path())) {
    if (!file.Exists(store.Path())) return CheckConfigExists(store);  // gone since the start-up test
    return Stop("Configuration File " + ShownName(store) + " cannot be opened" + Reason(file.OpenFailure()) +
                "  -  Aborting");
  }

  ConfigBytes bytes{};
  if (ConfigStatus refused = ReadChecked(store, bytes); !refused.Ok()) {
    file.Close();
    return refused;
  }
  ConfigRecord& record = store.Record();
  record = ConfigRecord::Parse(bytes);
  store.SetAsRead(bytes);

  units.InitUnits(record.SavedUnits);

  working.SatGivenTemperature = record.SatGivenTemperature;
  working.FullPropertyList = record.FullPropertyList;
  working.SpareFlag = record.SpareFlag;
  working.SearchGivenItem = record.SearchGivenItem;
  working.SearchItem = record.SearchItem;
  store.SetWritable(writable);
  ConfigStatus status;
  if (!writable)
    status.warningText = "Configuration File " + ShownName(store) + " cannot be written" +
                         Reason(writeFailure) + ": unit changes will not be saved.";
  return status;
}

void SaveConfig(ConfigStore& store, const UnitSettings& units, const ConfigWorkingValues& working,
                PlatformServices& platform, bool& CanClose) {
  CanClose = true;
  ConfigRecord& record = store.Record();
  const UnitSelection savedBefore = record.SavedUnits;
  const std::uint32_t countBefore = record.SaveCount;

  UnitSelection inUse = units.GetUnitSelection();
  if (inUse != record.SavedUnits) {
    switch (platform.Confirm("Save units for next session?", true)) {
      case Answer::kYes:
        record.SavedUnits = inUse;
        break;
      case Answer::kNo:
        break;
      case Answer::kCancel:
        CanClose = false;
        return;  // nothing written; the file stays open
    }
  }

  record.SatGivenTemperature = working.SatGivenTemperature;
  record.FullPropertyList = working.FullPropertyList;
  record.SpareFlag = working.SpareFlag;
  record.SearchGivenItem = working.SearchGivenItem;
  record.SearchItem = working.SearchItem;
  ++record.SaveCount;

  // A failed save is never final: a file closed by an earlier failure, or opened read-only at
  // start, is opened read-write again, so that a close after the disk was freed or the protection
  // lifted saves after all. A store that never loaded a file has none to reopen.
  ConfigFile& file = store.File();
  if (store.AsRead() && (!file.IsOpen() || !store.Writable()))
    store.SetWritable(file.OpenReadWrite(store.Path()));
  // The whole record goes to a new file that replaces the old one only when complete: a disk that
  // fills during the save leaves the file as it was read.
  if (!file.ReplaceRecord(record.Serialise())) {
    // Nothing was saved: the units stay unsaved, and the next close asks about them again.
    record.SavedUnits = savedBefore;
    record.SaveCount = countBefore;
    if (platform.Confirm("Cannot save changes to disk. Exit Anyway?", false) != Answer::kYes) {
      CanClose = false;
    }
  }
  file.Close();
}

CreateResult CreateConfigFile(const std::string& path) {
  // Made whole beside its place and put there only if the name is still free: no file that is
  // already there is replaced, and no cut file is left by a full disk.
  AtomicFile file(path, {.replace = false, .followLink = true});
  const ConfigBytes bytes = ConfigRecord::Fresh().Serialise();
  const bool opened = file.Open();
  if (opened && file.Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()}) && file.Commit())
    return {CreateOutcome::kCreated, ""};
  if (file.ErrorNumber() == EEXIST)
    return {CreateOutcome::kAlreadyExists, path + " already exists; not overwritten"};
  return {CreateOutcome::kFailed, (opened ? "cannot write " : "cannot create ") + path + ": " + file.Error()};
}

}  // namespace tulo
