#pragma once

#include <string>

namespace quorvel::bar {

// What the bar needs of the settings window when that window asked for the restart that is
// running (the bar's Edit field is "1"): refresh its editors from the bar, and tell which
// launcher set it is showing. The settings window implements this; until it exists the bar
// holds no link and skips the handshake.
class SettingsWindowLink {
public:
    virtual ~SettingsWindowLink() = default;
    virtual void cmdReset() = 0;
    [[nodiscard]] virtual std::string launcherSetNumber() const = 0;
};

}  // namespace quorvel::bar
