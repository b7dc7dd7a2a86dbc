#include "platform/sim/sim_identity.h"

namespace quorvel::platform::sim {

std::optional<std::string> SimIdentity::userName() {
    log_.add("userName");
    return user;
}

std::string SimIdentity::documentsFolder() {
    log_.add("documentsFolder");
    return documents;
}

std::string SimIdentity::currentDirectory() {
    log_.add("currentDirectory");
    return current;
}

}  // namespace quorvel::platform::sim
