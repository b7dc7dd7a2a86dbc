#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace quorvel::platform {

// Runs the handlers of one event, then the host's after-event step. Events nest: a message box
// or a popup menu opened by a click handler runs a message loop of its own, which dispatches
// timer ticks and pointer events to the program's windows before the click handler returns.
// After every event, nested or not, the windows are brought in line with their forms, so the
// bar keeps animating behind an open menu or message box. Windows unloaded meanwhile are
// destroyed only after the outermost event, when no handler of any window is still running.
// The real host dispatches every window message and timer tick through one of these; the
// simulation dispatches its user input and virtual-clock ticks through one too.
class EventDispatcher {
public:
    // Brings every window in line with its form.
    std::function<void()> bringUpToDate;
    // Destroys the windows unloaded since the last outermost event.
    std::function<void()> afterOutermost;

    template <class Handler>
    decltype(auto) dispatch(Handler&& handler) {
        ++depth_;
        if constexpr (std::is_void_v<std::invoke_result_t<Handler&>>) {
            run(handler);
            afterEvent();
        } else {
            auto result = run(handler);
            afterEvent();
            return result;
        }
    }

    // How many events are being handled right now (0 between events).
    [[nodiscard]] int depth() const noexcept { return depth_; }

private:
    // A handler that throws ends the event without the after-event step: the failure goes on to
    // whoever reports it, and nothing is destroyed while the stack unwinds.
    template <class Handler>
    decltype(auto) run(Handler& handler) {
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{depth_};
        return handler();
    }

    void afterEvent() {
        // Bringing windows up to date moves and shows them, which sends messages of its own;
        // those must not start another after-event step inside this one.
        if (inAfterEvent_) {
            return;
        }
        struct Guard {
            bool& flag;
            explicit Guard(bool& f) : flag(f) { flag = true; }
            ~Guard() { flag = false; }
            Guard(const Guard&) = delete;
            Guard& operator=(const Guard&) = delete;
        } guard(inAfterEvent_);
        if (depth_ == 0 && afterOutermost) {
            afterOutermost();
        }
        if (bringUpToDate) {
            bringUpToDate();
        }
    }

    int depth_ = 0;
    bool inAfterEvent_ = false;
};

}  // namespace quorvel::platform
