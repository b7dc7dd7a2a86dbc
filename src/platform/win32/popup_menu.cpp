#include "platform/win32/popup_menu.h"

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

void fill(HMENU target, forms::MenuItem& parent, std::vector<forms::MenuItem*>& commands,
          UINT firstId) {
    for (const auto& child : parent.children()) {
        if (!child->visible()) {
            continue;
        }
        if (child->separator()) {
            AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring text = menuText(child->caption());
        UINT flags = MF_STRING | (child->enabled() ? MF_ENABLED : MF_GRAYED) |
                     (child->checked() ? MF_CHECKED : MF_UNCHECKED);
        if (!child->children().empty()) {
            UniqueMenu submenu(CreatePopupMenu());
            if (!submenu) {
                continue;
            }
            fill(submenu.get(), *child, commands, firstId);
            if (AppendMenuW(target, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()),
                            text.c_str())) {
                static_cast<void>(submenu.release());  // the parent menu owns it now
            }
            continue;
        }
        commands.push_back(child.get());
        AppendMenuW(target, flags, firstId + commands.size() - 1, text.c_str());
    }
}

}  // namespace

std::wstring menuText(std::string_view caption) {
    std::wstring text;
    for (wchar_t c : toWide(caption)) {
        text += c;
        if (c == L'&') {
            text += L'&';
        }
    }
    return text;
}

BuiltPopupMenu buildPopupMenu(forms::MenuItem& menu) {
    BuiltPopupMenu built{UniqueMenu(CreatePopupMenu()), {}};
    if (built.menu) {
        fill(built.menu.get(), menu, built.commands, 1);
    }
    return built;
}

BuiltPopupMenu buildMenuBar(const forms::Form& form) {
    BuiltPopupMenu built{UniqueMenu(CreateMenu()), {}};
    if (!built.menu) {
        return built;
    }
    for (const auto& top : form.menus()) {
        if (!top->visible()) {
            continue;
        }
        const std::wstring text = menuText(top->caption());
        const UINT flags = MF_STRING | (top->enabled() ? MF_ENABLED : MF_GRAYED);
        if (top->children().empty()) {
            built.commands.push_back(top.get());
            AppendMenuW(built.menu.get(), flags, kMenuBarFirstId + built.commands.size() - 1,
                        text.c_str());
            continue;
        }
        UniqueMenu dropDown(CreatePopupMenu());
        if (!dropDown) {
            continue;
        }
        fill(dropDown.get(), *top, built.commands, kMenuBarFirstId);
        if (AppendMenuW(built.menu.get(), flags | MF_POPUP,
                        reinterpret_cast<UINT_PTR>(dropDown.get()), text.c_str())) {
            static_cast<void>(dropDown.release());  // the bar owns it now
        }
    }
    return built;
}

forms::MenuItem* menuBarCommand(const BuiltPopupMenu& bar, UINT id) noexcept {
    if (id < kMenuBarFirstId || id - kMenuBarFirstId >= bar.commands.size()) {
        return nullptr;
    }
    return bar.commands[id - kMenuBarFirstId];
}

forms::MenuItem* trackPopupMenu(HWND owner, forms::MenuItem& menu, FailureLog& failures,
                                const std::optional<PixelBox>& beside) {
    BuiltPopupMenu built = buildPopupMenu(menu);
    if (!built.menu) {
        failures.record("CreatePopupMenu");
        return nullptr;
    }
    const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    POINT at{};
    TPMPARAMS keepClear{};
    keepClear.cbSize = sizeof(keepClear);
    UINT place = 0;
    if (beside) {
        at = POINT{align == TPM_RIGHTALIGN ? beside->right : beside->left, beside->bottom};
        keepClear.rcExclude = RECT{beside->left, beside->top, beside->right, beside->bottom};
        place = TPM_VERTICAL;
    } else {
        failures.check(GetCursorPos(&at), "GetCursorPos (menu)");
    }
    // Without the foreground, the menu would not close when the user clicks elsewhere.
    failures.check(SetForegroundWindow(owner), "SetForegroundWindow (menu)");
    const auto chosen = static_cast<UINT>(TrackPopupMenuEx(
        built.menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | align | place, at.x,
        at.y, owner, beside ? &keepClear : nullptr));
    // The next menu of this owner opens and closes properly only after the owner has seen a
    // message of its own.
    failures.check(PostMessageW(owner, WM_NULL, 0, 0), "PostMessageW (menu)");
    if (chosen == 0 || chosen > built.commands.size()) {
        return nullptr;
    }
    return built.commands[chosen - 1];
}

}  // namespace quorvel::platform::win32
