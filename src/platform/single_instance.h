#pragma once

namespace quorvel::platform {

// One running bar per user session.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only instance; the claim lasts until the process ends.
    [[nodiscard]] virtual bool claim() = 0;
};

}  // namespace quorvel::platform
