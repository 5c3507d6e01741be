#include "app/Config.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

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
  std::optional<std::size_t> got = file.ReadRecord(bytes);
  if (!got || *got < kConfigRecordSize) {
    file.Close();
    if (!got) return Stop("Configuration File " + ShownName(store) + " cannot be read  -  Aborting");
    return Stop("Configuration File " + ShownName(store) + " is too short (" + std::to_string(*got) +
                " bytes, " + std::to_string(kConfigRecordSize) + " expected)  -  Aborting");
  }
  // No version is checked: the record has no version field, and a stamp in the reserved bytes
  // would break the promise to write them back as read.
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
  ConfigBytes bytes = record.Serialise();
  bool positioned = file.SeekRecord0();
  if (!positioned || !file.WriteRecord(bytes)) {
    // A write that failed part-way (a disk filling up) may have overwritten part of the record:
    // the bytes read at start go back, so that a failed save leaves the file as it was.
    if (positioned && store.AsRead() && file.SeekRecord0()) file.WriteRecord(*store.AsRead());
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
  // "x": fail rather than replace a file that is already there, with no window between the test
  // and the creation.
  std::FILE* stream = std::fopen(path.c_str(), "wxb");
  if (stream == nullptr) {
    if (errno == EEXIST) return {CreateOutcome::kAlreadyExists, path + " already exists; not overwritten"};
    return {CreateOutcome::kFailed, "cannot create " + path + ": " + std::strerror(errno)};
  }
  ConfigBytes bytes = ConfigRecord::Fresh().Serialise();
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  written = (std::fclose(stream) == 0) && written;
  if (!written) {
    int error = errno;
    std::remove(path.c_str());
    return {CreateOutcome::kFailed, "cannot write " + path + ": " + std::strerror(error)};
  }
  return {CreateOutcome::kCreated, ""};
}

}  // namespace tulo
