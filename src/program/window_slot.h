#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "forms/form.h"

namespace quorvel::program {

// One window that is loaded on first use and unloaded at will: the program keeps one of these
// per kind of popup instead of an accessor group each. An unloaded window is handed to
// `retire`, which destroys it once the event that unloaded it is over.
template <class T>
class WindowSlot {
public:
    using Make = std::function<std::unique_ptr<T>()>;
    using Retire = std::function<void(std::unique_ptr<forms::Form>)>;

    WindowSlot(Make make, Retire retire) : make_(std::move(make)), retire_(std::move(retire)) {}

    // The window, loaded now when it is not.
    T& get() {
        if (!window_) {
            window_ = make_();
        }
        return *window_;
    }
    [[nodiscard]] T* ifLoaded() const noexcept { return window_.get(); }
    void unload() {
        if (window_) {
            retire_(std::move(window_));
        }
    }
    // Destroys the window at once (the program's end).
    void reset() noexcept { window_.reset(); }

private:
    Make make_;
    Retire retire_;
    std::unique_ptr<T> window_;
};

}  // namespace quorvel::program
