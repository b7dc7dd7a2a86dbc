#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "settings/record_layout.h"
#include "settings/settings_model.h"

namespace quorvel::tools {

// The fields of `layout` as a JSON object in record order, each value trimmed of its
// trailing spaces.
[[nodiscard]] nlohmann::ordered_json fieldsToJson(const settings::SettingsModel& model,
                                                  const std::vector<settings::FieldLayout>& layout);

// Sets `model`'s fields of `layout` from a JSON object; fields it leaves out become empty.
// Returns one message per problem (not an object, unknown field, value not a string, a
// character Shift-JIS cannot hold); `model` is only usable when there are none.
[[nodiscard]] std::vector<std::string> fieldsFromJson(
    const nlohmann::json& object, const std::vector<settings::FieldLayout>& layout,
    const std::string& where, settings::SettingsModel& model);

}  // namespace quorvel::tools
