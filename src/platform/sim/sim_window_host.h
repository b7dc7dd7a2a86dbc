#pragma once

#include <map>
#include <string>

#include "forms/form.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// Keeps track of which forms exist, as the real host keeps one window per live form.
class SimWindowHost final : public forms::WindowHost {
public:
    explicit SimWindowHost(CallLog& log) : log_(log) {}

    void formCreated(forms::Form& form) override;
    void formDestroyed(forms::Form& form) override;

    // The live form of that name, or null.
    [[nodiscard]] forms::Form* live(const std::string& name) const;
    // How many forms of that name have been created so far.
    [[nodiscard]] int creations(const std::string& name) const;
    [[nodiscard]] int liveCount() const noexcept { return static_cast<int>(live_.size()); }

    // The after-event step's "bring every window up to date": the simulation has no screen to
    // update, so it only counts the steps.
    void sync() noexcept { ++syncs_; }
    [[nodiscard]] int syncs() const noexcept { return syncs_; }

private:
    CallLog& log_;
    std::multimap<std::string, forms::Form*> live_;
    std::map<std::string, int> creations_;
    int syncs_ = 0;
};

}  // namespace quorvel::platform::sim
