#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "forms/image.h"
#include "platform/sim/call_log.h"

namespace quorvel::testing {

// What a test looks up and cannot go on without. A lookup that finds nothing throws, and
// GoogleTest fails the one test that made it, naming what was missing, where an empty pointer
// or optional would crash the whole test binary and every test after it.
class NotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The source of the picture an image shows.
inline const std::string& pictureSource(const forms::Image& image) {
    if (!image.picture()) {
        throw NotFound("the image " + image.name() + " shows no picture");
    }
    return image.picture()->source();
}

// The position of the first log entry that starts with `prefix`, at or after `from`.
inline std::size_t entryAt(const platform::sim::CallLog& log, std::string_view prefix,
                           std::size_t from = 0) {
    if (const auto at = log.find(prefix, from)) {
        return *at;
    }
    throw NotFound("no log entry starting with \"" + std::string(prefix) + "\" from entry " +
                   std::to_string(from) + " on");
}

// The value of an optional the test needs, or the failure that names it. A temporary optional
// hands its value over, so that nothing refers into it once it is gone.
template <typename T>
const T& present(const std::optional<T>& value, std::string_view what) {
    if (!value) {
        throw NotFound("no " + std::string(what));
    }
    return *value;
}
template <typename T>
T present(std::optional<T>&& value, std::string_view what) {
    if (!value) {
        throw NotFound("no " + std::string(what));
    }
    return std::move(*value);
}

// The object a pointer the test needs points to, or the failure that names it.
template <typename T>
T& present(T* pointer, std::string_view what) {
    if (pointer == nullptr) {
        throw NotFound("no " + std::string(what));
    }
    return *pointer;
}

}  // namespace quorvel::testing
