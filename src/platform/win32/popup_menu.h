#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/menu.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/units.h"

namespace quorvel::platform::win32 {

// A real popup menu made from the visible part of a menu tree: hidden entries are left out,
// disabled ones greyed, checked ones ticked. Command ids count from 1 in `commands`.
struct BuiltPopupMenu {
    UniqueMenu menu;
    std::vector<forms::MenuItem*> commands;  // id - 1 -> entry
};
[[nodiscard]] BuiltPopupMenu buildPopupMenu(forms::MenuItem& menu);

// A window's menu bar: each visible top-level menu of the form, its entries dropping down as
// in a popup menu. Command ids count from kMenuBarFirstId, clear of the controls' ids.
inline constexpr UINT kMenuBarFirstId = 0xA000;
[[nodiscard]] BuiltPopupMenu buildMenuBar(const forms::Form& form);
// The entry a menu bar's command id stands for, or null.
[[nodiscard]] forms::MenuItem* menuBarCommand(const BuiltPopupMenu& bar, UINT id) noexcept;

// A caption as the menu shows it: the text as it is, with an '&' doubled so that it shows as
// itself (a set named "A&B") instead of underlining the next letter.
[[nodiscard]] std::wstring menuText(std::string_view caption);

// Pops the menu up for `owner`, at the pointer or below an item (its rectangle on the screen,
// which the menu leaves uncovered: above it where there is no room below), and waits until the
// user has chosen or dismissed it; returns the chosen entry, or null. The owner is made the
// foreground window first, so a click elsewhere closes the menu as it should.
[[nodiscard]] forms::MenuItem* trackPopupMenu(HWND owner, forms::MenuItem& menu,
                                              FailureLog& failures,
                                              const std::optional<PixelBox>& beside);

}  // namespace quorvel::platform::win32
