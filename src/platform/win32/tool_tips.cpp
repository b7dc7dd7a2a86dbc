#include "platform/win32/tool_tips.h"

#include <algorithm>

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

#include "platform/win32/common_controls.h"
#include "platform/win32/strconv.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

namespace {

TTTOOLINFOW toolInfo(HWND parent, UINT_PTR id, UINT flags) {
    TTTOOLINFOW info{};
    // The size every version of the control accepts, with or without the visual style.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = parent;
    info.uId = id;
    return info;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool pointable(forms::ControlKind kind) {
    return kind == forms::ControlKind::Image || kind == forms::ControlKind::Label;
}

}  // namespace

void ToolTips::destroy() noexcept {
    tools_.clear();
    tip_.reset();
}

void ToolTips::abandon() noexcept {
    static_cast<void>(tip_.release());
    tools_.clear();
}

bool ToolTips::ensureWindow(HWND parent) {
    if (tip_) {
        return true;
    }
    loadCommonControls(ICC_TAB_CLASSES, failures_);
    // Always shown, also over the bar, which never becomes the active window.
    tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                               instance_, nullptr));
    if (!tip_) {
        failures_.record("CreateWindowExW (tooltips)");
        return false;
    }
    return true;
}

std::vector<ToolTips::Tool> ToolTips::wantedTools(const forms::Form& form, int dpi,
                                                  const ChildControls& children) const {
    std::vector<Tool> wanted;
    // Later controls lie over earlier ones, and the tooltip control takes the first tool under
    // the pointer: the top of the stacking goes first.
    for (auto it = form.controls().rbegin(); it != form.controls().rend(); ++it) {
        const forms::Control& control = **it;
        if (!control.visible() || control.toolTip().empty()) {
            continue;
        }
        HWND child = children.windowOf(control);
        if (child == nullptr && !pointable(control.kind())) {
            continue;
        }
        const PixelBox box = toPixels(control.bounds(), dpi);
        wanted.push_back({&control, child, 0, toWide(control.toolTip()),
                          RECT{box.left, box.top, box.right, box.bottom}});
    }
    return wanted;
}

void ToolTips::add(HWND parent, Tool& tool) {
    if (tool.child != nullptr) {
        tool.id = reinterpret_cast<UINT_PTR>(tool.child);
    } else {
        tool.id = nextId_++;
    }
    TTTOOLINFOW info =
        toolInfo(parent, tool.id, TTF_SUBCLASS | (tool.child != nullptr ? TTF_IDISHWND : 0U));
    info.rect = tool.rect;
    info.lpszText = tool.text.data();  // the control keeps a copy
    if (SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) == FALSE) {
        failures_.record("TTM_ADDTOOLW (" + tool.control->name() + ")");
    }
}

void ToolTips::remove(HWND parent, const Tool& tool) {
    TTTOOLINFOW info =
        toolInfo(parent, tool.id, tool.child != nullptr ? static_cast<UINT>(TTF_IDISHWND) : 0U);
    SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::sync(HWND parent, const forms::Form& form, int dpi, const ChildControls& children) {
    if (revision_ == form.revision() && dpi_ == dpi) {
        return;
    }
    revision_ = form.revision();
    dpi_ = dpi;
    std::vector<Tool> wanted = wantedTools(form, dpi, children);
    if (wanted.empty() && !tip_) {
        return;
    }
    if (!ensureWindow(parent)) {
        return;
    }
    const bool sameTools = std::equal(
        wanted.begin(), wanted.end(), tools_.begin(), tools_.end(),
        [](const Tool& a, const Tool& b) { return a.control == b.control && a.child == b.child; });
    if (sameTools) {
        update(parent, wanted);
    } else {
        replace(parent, std::move(wanted));
    }
}

void ToolTips::replace(HWND parent, std::vector<Tool> wanted) {
    // Rare (a hint appears or goes): the whole list again, so the order stays right.
    for (const Tool& tool : tools_) {
        remove(parent, tool);
    }
    tools_ = std::move(wanted);
    for (Tool& tool : tools_) {
        add(parent, tool);
    }
}

void ToolTips::update(HWND parent, std::vector<Tool>& wanted) {
    for (std::size_t i = 0; i < tools_.size(); ++i) {
        Tool& tool = tools_[i];
        const UINT flags = tool.child != nullptr ? static_cast<UINT>(TTF_IDISHWND) : 0U;
        if (tool.text != wanted[i].text) {
            tool.text = std::move(wanted[i].text);
            TTTOOLINFOW info = toolInfo(parent, tool.id, flags);
            info.lpszText = tool.text.data();
            SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        }
        if (tool.child == nullptr && !sameRect(tool.rect, wanted[i].rect)) {
            tool.rect = wanted[i].rect;
            TTTOOLINFOW info = toolInfo(parent, tool.id, flags);
            info.rect = tool.rect;
            SendMessageW(tip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        }
    }
}

}  // namespace quorvel::platform::win32
