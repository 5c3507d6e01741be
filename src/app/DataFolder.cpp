#include "app/DataFolder.h"

#include <cstdlib>
#include <system_error>

#include "app/Config.h"

namespace tulo {
namespace {

constexpr const char* kDataFolderName = "tulo";

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

bool IsAbsolute(const std::optional<std::string>& value) {
  return value && std::filesystem::path(*value).is_absolute();
}

// Built by appending: GCC 12 warns wrongly (-Wrestrict) about "\"" + string.
std::string Quoted(const std::filesystem::path& path) {
  std::string quoted(1, '"');
  quoted.append(path.string()).push_back('"');
  return quoted;
}

DataFolderResult Failed(std::string text) {
  return {DataFolderOutcome::kFailed, text + "  -  Aborting"};
}

// A fresh configuration file in `folder`; `made` when the folder itself was just made, and is
// then removed again on failure (an empty folder left behind would only be made again).
DataFolderResult FreshConfiguration(const std::filesystem::path& folder, bool made) {
  CreateResult config = CreateConfigFile((folder / kConfigFileName).string());
  // Another start wrote it in the meantime.
  if (config.outcome == CreateOutcome::kAlreadyExists) return {DataFolderOutcome::kExisting, ""};
  if (config.outcome == CreateOutcome::kFailed) {
    std::error_code ec;
    if (made) std::filesystem::remove(folder, ec);
    return Failed(config.errorText);
  }
  return {DataFolderOutcome::kCreated, ""};
}

}  // namespace

DataFolderEnvironment ProcessDataFolderEnvironment() {
  return {Variable("TULO_DATA_DIR"), Variable("XDG_DATA_HOME"), Variable("HOME")};
}

std::filesystem::path DataFolder(const DataFolderEnvironment& env) {
  if (env.dataDir && !env.dataDir->empty()) return *env.dataDir;
  if (IsAbsolute(env.xdgDataHome)) return std::filesystem::path(*env.xdgDataHome) / kDataFolderName;
  if (IsAbsolute(env.home)) return std::filesystem::path(*env.home) / ".local" / "share" / kDataFolderName;
  return {};
}

DataFolderResult PrepareDataFolder(const std::filesystem::path& folder) {
  if (folder.empty()) return Failed("No data folder: HOME is not set");

  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(folder, ec);
  if (std::filesystem::is_directory(status)) {
    // An empty folder is a first start too (made by hand, or by a package); one that holds
    // anything is the user's, and its missing file a fault to report.
    if (std::filesystem::is_empty(folder, ec) && !ec) return FreshConfiguration(folder, false);
    return {DataFolderOutcome::kExisting, ""};
  }
  if (std::filesystem::exists(status)) return Failed("Data folder " + Quoted(folder) + " is not a folder");

  bool created = std::filesystem::create_directories(folder, ec);
  if (ec) return Failed("Cannot create the data folder " + Quoted(folder) + ": " + ec.message());
  // Another start made it in the meantime: that start writes the file.
  if (!created) return {DataFolderOutcome::kExisting, ""};
  return FreshConfiguration(folder, true);
}

}  // namespace tulo
