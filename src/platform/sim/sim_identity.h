#pragma once

#include <optional>
#include <string>

#include "platform/identity.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// A logged-on user with scriptable answers; set `user` to nullopt for a system that cannot
// tell who is logged on.
class SimIdentity final : public Identity {
public:
    explicit SimIdentity(CallLog& log) : log_(log) {}

    std::optional<std::string> user = std::string("taro");
    std::string documents = "C:\\Users\\taro\\Documents";
    std::string current = "C:\\w";

    std::optional<std::string> userName() override;
    std::string documentsFolder() override;
    std::string currentDirectory() override;

private:
    CallLog& log_;
};

}  // namespace quorvel::platform::sim
