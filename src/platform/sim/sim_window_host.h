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

private:
    CallLog& log_;
    std::multimap<std::string, forms::Form*> live_;
    std::map<std::string, int> creations_;
};

}  // namespace quorvel::platform::sim
