#pragma once

#include <string>

#include "settings/settings_files.h"

namespace quorvel::window_api {

// What a message box says when the settings files failed: the headline, the file and the
// system's reason, each on its own line.
[[nodiscard]] std::string storageMessage(const settings::StorageError& error);
// Why a set of that number cannot be saved.
[[nodiscard]] std::string setNumberOutOfRange(int set);

}  // namespace quorvel::window_api
