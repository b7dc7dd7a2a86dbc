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

// The result of a file or shell call: a value, or an Error.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}      // NOLINT(google-explicit-constructor)
    Result(Error error) : v_(std::move(error)) {}  // NOLINT(google-explicit-constructor)
    [[nodiscard]] bool ok() const noexcept { return v_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }
    [[nodiscard]] const T& value() const& { return std::get<0>(v_); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(v_)); }
    [[nodiscard]] const Error& error() const& { return std::get<1>(v_); }

private:
    std::variant<T, Error> v_;
};

struct Done {};
using Status = Result<Done>;
inline Status success() {
    return Status(Done{});
}

}  // namespace quorvel::platform
