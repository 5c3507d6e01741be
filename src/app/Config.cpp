#include "app/Config.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace tulo {
namespace {

// The name the messages show: the file's own name, without the directory it was looked for in.
std::string ShownName(const ConfigStore& store) {
  std::string name(1, '"');
  name.append(std::filesystem::path(store.Path()).filename().string()).push_back('"');
  return name;
}
}  // namespace

ConfigStore::ConfigStore(std::unique_ptr<ConfigFile> file, std::string path)
    : file_(std::move(file)), path_(std::move(path)) {}

ConfigStatus CheckConfigExists(const ConfigStore& store) {
  if (store.File().Exists(store.Path())) return {};
  return {"Configuration File " + ShownName(store) + " not found  -  Aborting"};
}

ConfigStatus LoadConfig(ConfigStore& store, UnitSettings& units, ConfigWorkingValues& working) {
  ConfigFile& file = store.File();
  // A write-protected file still loads; its write at close fails and the user is asked then.
  if (!file.OpenReadWrite(store.Path()) && !file.OpenReadOnly(store.Path())) {
    return {"File " + ShownName(store) + " not found  -  Aborting"};
  }

  ConfigBytes bytes{};
  std::optional<std::size_t> got = file.ReadRecord(bytes);
  if (!got || *got < kConfigRecordSize) {
    file.Close();
    if (!got) return {"Configuration File " + ShownName(store) + " cannot be read  -  Aborting"};
    return {"Configuration File " + ShownName(store) + " is too short (" + std::to_string(*got) + " bytes, " +
            std::to_string(kConfigRecordSize) + " expected)  -  Aborting"};
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
  return {};
}

void SaveConfig(ConfigStore& store, const UnitSettings& units, const ConfigWorkingValues& working,
                PlatformServices& platform, bool& CanClose) {
  CanClose = true;
  ConfigRecord& record = store.Record();

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

  // Once the file has been closed (an earlier refusal to exit), positioning fails and the same
  // question comes back at every later close request.
  ConfigFile& file = store.File();
  ConfigBytes bytes = record.Serialise();
  bool positioned = file.SeekRecord0();
  if (!positioned || !file.WriteRecord(bytes)) {
    // A write that failed part-way (a disk filling up) may have overwritten part of the record:
    // the bytes read at start go back, so that a failed save leaves the file as it was.
    if (positioned && store.AsRead() && file.SeekRecord0()) file.WriteRecord(*store.AsRead());
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
