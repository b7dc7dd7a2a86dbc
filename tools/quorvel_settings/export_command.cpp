#include <nlohmann/json.hpp>
#include <ostream>

#include "commands.h"
#include "settings/settings_files.h"
#include "settings_json.h"
#include "window_api/storage_message.h"

namespace quorvel::tools {

int exportSettings(platform::FileSystem& files, const Target& target, std::ostream& out,
                   std::ostream& err) {
    settings::SettingsFiles store(files, target.dir, target.user);
    settings::SettingsModel dock;
    // Reading through SettingsFiles creates a missing file, as the bar does; an export only
    // looks, so it skips files that are not there.
    if (files.fileSize(store.dockPath()).ok()) {
        auto read = store.readDock();
        if (!read) {
            err << consoleText(window_api::storageMessage(read.error())) << '\n';
            return kExitFailed;
        }
        dock = std::move(read).value();
    }
    nlohmann::ordered_json result;
    result["dock"] = fieldsToJson(dock, settings::dockRecordLayout());
    result["sets"] = nlohmann::ordered_json::object();
    if (files.fileSize(store.setsPath()).ok()) {
        const auto count = store.countSets();
        if (!count) {
            err << consoleText(window_api::storageMessage(count.error())) << '\n';
            return kExitFailed;
        }
        for (int n = 1; n <= std::min<int>(count.value(), settings::kSetCount); ++n) {
            const auto set = store.readSet(n);
            if (!set) {
                err << consoleText(window_api::storageMessage(set.error())) << '\n';
                return kExitFailed;
            }
            result["sets"][std::to_string(n)] =
                fieldsToJson(set.value(), settings::setRecordLayout());
        }
    }
    out << result.dump(2, ' ', false) << '\n';
    return kExitOk;
}

}  // namespace quorvel::tools
