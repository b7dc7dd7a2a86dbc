#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32/child_controls.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"

namespace quorvel::platform::win32 {

// The hints of one form's controls, shown by one real tooltip control of the form's window: a
// real control's hint by its child window, a painted image's or label's by its rectangle (kept
// in line when it moves). Made when the form first has a hint to show, so windows without any
// pay nothing.
class ToolTips {
public:
    ToolTips(HINSTANCE instance, FailureLog& failures) noexcept
        : instance_(instance), failures_(failures) {}
    ~ToolTips() = default;
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void sync(HWND parent, const forms::Form& form, int dpi, const ChildControls& children);

    // The tooltip control, or null while the form has shown no hint.
    [[nodiscard]] HWND window() const noexcept { return tip_.get(); }

    void destroy() noexcept;
    // The parent was destroyed by the system, and the tooltip it owned with it.
    void abandon() noexcept;

private:
    struct Tool {
        const forms::Control* control = nullptr;
        HWND child = nullptr;  // a real control's window; null for a painted one
        UINT_PTR id = 0;
        std::wstring text;
        RECT rect{};
    };

    [[nodiscard]] std::vector<Tool> wantedTools(const forms::Form& form, int dpi,
                                                const ChildControls& children) const;
    void add(HWND parent, Tool& tool);
    void remove(HWND parent, const Tool& tool);
    // Other tools, or the same with new texts and places.
    void replace(HWND parent, std::vector<Tool> wanted);
    void update(HWND parent, std::vector<Tool>& wanted);
    bool ensureWindow(HWND parent);

    HINSTANCE instance_;
    FailureLog& failures_;
    UniqueWindow tip_;
    std::vector<Tool> tools_;  // in the tooltip's order: the top of the stacking first
    UINT_PTR nextId_ = 1;
    std::optional<std::uint64_t> revision_;
    int dpi_ = 0;
};

}  // namespace quorvel::platform::win32
