#include "settings/save_preparation.h"

#include <cstddef>
#include <string>

namespace quorvel::settings {

int prepareForSave(SettingsModel& model, Writer writer) {
    if (model.RNo.empty()) {
        model.RNo = "1";
    }
    for (std::string& flag : model.SE) {
        if (flag.empty()) {
            flag = "0";
        }
    }

    // The bar ends where the lowest-numbered free slot would begin, and no separator stands
    // in front of a free slot. Walking down from slot 17 lets the lowest free slot win.
    const auto path = [&model](int n) -> const std::string& {
        return model.L[static_cast<std::size_t>(n - 1)].P;
    };
    const auto separatorBefore = [&model](int n) -> std::string& {
        return model.SE[static_cast<std::size_t>(n - 2)];
    };
    model.FWdth = std::to_string(kFullBarWidth);
    for (int n = kSlotCount; n >= 2; --n) {
        if (path(n).empty()) {
            model.FWdth = std::to_string(slotLeft(n));
            separatorBefore(n) = "0";
        }
    }
    if (path(1).empty()) {
        model.FWdth = std::to_string(kEmptyBarWidth);
    }

    if (model.Clr.empty()) {
        model.Clr = std::string(words::kNo);
    }
    if (model.FTop.empty()) {
        model.FTop = std::string(writer == Writer::SettingsWindow ? words::kYes : words::kNo);
    }
    return toInt16(model.RNo);
}

}  // namespace quorvel::settings
