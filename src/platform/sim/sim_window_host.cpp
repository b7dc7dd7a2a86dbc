#include "platform/sim/sim_window_host.h"

namespace quorvel::platform::sim {

void SimWindowHost::formCreated(forms::Form& form) {
    log_.add("formCreated " + form.name());
    live_.emplace(form.name(), &form);
    ++creations_[form.name()];
}

void SimWindowHost::formDestroyed(forms::Form& form) {
    log_.add("formDestroyed " + form.name());
    auto [first, last] = live_.equal_range(form.name());
    for (auto it = first; it != last; ++it) {
        if (it->second == &form) {
            live_.erase(it);
            return;
        }
    }
}

forms::Form* SimWindowHost::live(const std::string& name) const {
    auto it = live_.find(name);
    return it == live_.end() ? nullptr : it->second;
}

int SimWindowHost::creations(const std::string& name) const {
    auto it = creations_.find(name);
    return it == creations_.end() ? 0 : it->second;
}

}  // namespace quorvel::platform::sim
