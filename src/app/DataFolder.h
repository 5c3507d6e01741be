#pragma once
// The folder an installed program keeps its configuration file in, and what its first start does
// there. The program is started from a desktop menu in whatever folder the session likes, so it
// does not rely on the working directory it was given: it enters its data folder first.

#include <filesystem>
#include <optional>
#include <string>

namespace tulo {

// The environment variables the data folder is found from; nullopt for one that is not set.
struct DataFolderEnvironment {
  std::optional<std::string> dataDir;      // TULO_DATA_DIR: the folder itself, for developers and tests
  std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME
  std::optional<std::string> home;         // HOME
};

// The three variables as this process sees them.
DataFolderEnvironment ProcessDataFolderEnvironment();

// TULO_DATA_DIR when it is set and not empty; else $XDG_DATA_HOME/tulo when XDG_DATA_HOME is an
// absolute path (the XDG Base Directory rules ignore a relative one); else
// $HOME/.local/share/tulo when HOME is an absolute path; else empty (no data folder).
std::filesystem::path DataFolder(const DataFolderEnvironment& env);

enum class DataFolderOutcome {
  kExisting,  // the folder held something: left as it is
  kCreated,   // the folder was new or empty: it now holds a fresh configuration file
  kFailed,
};
struct DataFolderResult {
  DataFolderOutcome outcome = DataFolderOutcome::kFailed;
  std::string errorText;  // the message to show before stopping; empty unless kFailed
};

// The first-start rule. A folder that is not there yet is created (with its parents) holding a
// fresh configuration file (CreateConfigFile), and so is an empty folder. A folder that holds
// anything is not touched, even without its configuration file: a file that went missing or was
// damaged stops the start-up with its message, rather than being replaced behind the user's back
// by one with the default units.
DataFolderResult PrepareDataFolder(const std::filesystem::path& folder);

}  // namespace tulo
