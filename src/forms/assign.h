#pragma once

#include <utility>

namespace quorvel::forms {

// Sets a property and says whether its value changed: forms repaint only on real changes.
template <class T, class U>
[[nodiscard]] bool assign(T& field, U&& value) {
    if (field == value) {
        return false;
    }
    field = std::forward<U>(value);
    return true;
}

}  // namespace quorvel::forms
