#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quorvel::platform {

// What went wrong in a call to the operating system, with a message fit for a message box.
struct Error {
    long code = 0;  // GetLastError, HRESULT or errno, as the backend knows it
    std::string message;
};

// The result of a file or shell call: a value, or an error (an Error, or a layer's own
// structured error).
template <class T, class E = Error>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}  // NOLINT
    Result(E error) : v_(std::in_place_index<1>, std::move(error)) {}  // NOLINT
    [[nodiscard]] bool ok() const noexcept { return v_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }
    [[nodiscard]] const T& value() const& { return std::get<0>(v_); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(v_)); }
    [[nodiscard]] const E& error() const& { return std::get<1>(v_); }

private:
    std::variant<T, E> v_;
};

struct Done {};
using Status = Result<Done>;
inline Status success() {
    return Status(Done{});
}

}  // namespace quorvel::platform
