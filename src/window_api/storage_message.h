#pragma once

#include <string>

#include "settings/settings_files.h"

namespace quorvel::window_api {

// What a message box says when the settings files failed: the headline, the file and the
// system's reason, each on its own line.
[[nodiscard]] std::string storageMessage(const settings::StorageError& error);

}  // namespace quorvel::window_api
