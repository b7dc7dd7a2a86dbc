#include "settings_json.h"

#include <algorithm>

#include "settings/cp932.h"

namespace quorvel::tools {

nlohmann::ordered_json fieldsToJson(const settings::SettingsModel& model,
                                    const std::vector<settings::FieldLayout>& layout) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const settings::FieldLayout& f : layout) {
        const std::string* value = settings::storedField(model, f.name);
        object[f.name] = value ? settings::trimRight(*value) : std::string();
    }
    return object;
}

std::vector<std::string> fieldsFromJson(const nlohmann::json& object,
                                        const std::vector<settings::FieldLayout>& layout,
                                        const std::string& where, settings::SettingsModel& model) {
    std::vector<std::string> problems;
    if (!object.is_object()) {
        problems.push_back(where + ": JSON のオブジェクトではありません。");
        return problems;
    }
    for (const settings::FieldLayout& f : layout) {
        if (std::string* value = settings::storedField(model, f.name)) {
            value->clear();
        }
    }
    for (const auto& [name, value] : object.items()) {
        const bool known = std::any_of(layout.begin(), layout.end(),
                                       [&name](const auto& f) { return f.name == name; });
        if (!known) {
            problems.push_back(where + ": 不明な項目 \"" + name + "\" があります。");
            continue;
        }
        if (!value.is_string()) {
            problems.push_back(where + "." + name + ": 値は文字列でなければなりません。");
            continue;
        }
        const std::string text = value.get<std::string>();
        const settings::cp932::Encoded encoded = settings::cp932::encode(text);
        if (!encoded.unencodable.empty()) {
            std::string chars;
            for (const std::string& c : encoded.unencodable) {
                chars += c;
            }
            problems.push_back(where + "." + name +
                               ": Shift-JIS で保存できない文字があります: " + chars);
            continue;
        }
        *settings::storedField(model, name) = text;
    }
    return problems;
}

}  // namespace quorvel::tools
