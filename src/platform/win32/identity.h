#pragma once

#include "platform/identity.h"

namespace quorvel::platform::win32 {

class Win32Identity final : public Identity {
public:
    std::optional<std::string> userName() override;
    std::string documentsFolder() override;
    std::string currentDirectory() override;
};

}  // namespace quorvel::platform::win32
