#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "commands.h"
#include "settings/cp932.h"
#include "settings/save_preparation.h"
#include "settings/settings_files.h"
#include "settings_json.h"
#include "window_api/storage_message.h"

namespace quorvel::tools {
namespace {

// Values longer than their field are cut when saved, as the bar cuts them; say so, since
// the user typed them in full.
void warnAboutCuts(const settings::SettingsModel& model,
                   const std::vector<settings::FieldLayout>& layout, std::ostream& err) {
    for (const settings::FieldLayout& f : layout) {
        const std::string* value = settings::storedField(model, f.name);
        if (value && settings::cp932::encode(*value).bytes.size() > f.width) {
            err << "警告: " << f.name << " は " << f.width << " バイトに切り詰められます。\n";
        }
    }
}

}  // namespace

int importSettings(platform::FileSystem& files, const Target& target, int setNumber,
                   std::istream& in, std::ostream& err) {
    nlohmann::json input;
    try {
        input = nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
        err << "JSON を読み取れません: " << e.what() << '\n';
        return kExitFailed;
    }
    if (!input.is_object()) {
        err << "入力は {\"dock\": {...}, \"set\": {...}} の形でなければなりません。\n";
        return kExitFailed;
    }

    settings::SettingsModel model;
    model.RNo.clear();
    std::vector<std::string> problems;
    const nlohmann::json empty = nlohmann::json::object();
    for (const auto& [key, value] : input.items()) {
        if (key != "dock" && key != "set") {
            problems.push_back("不明な項目 \"" + key + "\" があります。");
        }
    }
    for (const auto& [key, layout] : {std::pair{"dock", &settings::dockRecordLayout()},
                                      std::pair{"set", &settings::setRecordLayout()}}) {
        const auto it = input.find(key);
        auto found = fieldsFromJson(it == input.end() ? empty : *it, *layout, key, model);
        problems.insert(problems.end(), found.begin(), found.end());
    }
    if (!problems.empty()) {
        for (const std::string& p : problems) {
            err << p << '\n';
        }
        err << "何も保存していません。\n";
        return kExitFailed;
    }

    // The record goes where the bar would put it: its RNo. Left out, RNo is the set asked for.
    if (model.RNo.empty()) {
        model.RNo = std::to_string(setNumber);
    }
    const int recordNumber = settings::prepareForSave(model, settings::Writer::Bar);
    if (recordNumber != setNumber) {
        err << "set.RNo \"" << model.RNo << "\" が --set " << setNumber
            << " と一致しません。何も保存していません。\n";
        return kExitFailed;
    }
    warnAboutCuts(model, settings::dockRecordLayout(), err);
    warnAboutCuts(model, settings::setRecordLayout(), err);

    settings::SettingsFiles store(files, target.dir, target.user);
    if (auto made = store.ensureFolder(); !made) {
        err << consoleText(window_api::storageMessage(made.error())) << '\n';
        return kExitFailed;
    }
    if (auto written = store.write(model, setNumber); !written) {
        err << consoleText(window_api::storageMessage(written.error())) << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace quorvel::tools
