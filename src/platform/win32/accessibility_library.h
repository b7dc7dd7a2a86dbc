#pragma once

#include <optional>
#include <string_view>

#include "platform/win32/com_library.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"
// clang-format off
#include <oleacc.h>
// clang-format on

namespace quorvel::platform::win32 {

// What answering screen readers takes of the system: oleacc, which hands them the windows'
// accessible objects, COM on the window's thread, which oleacc hands them through, and oleaut32
// for the strings those objects give out. Loaded at the first question a screen reader asks
// (WM_GETOBJECT), so a start without one pays nothing for them.
class AccessibilityLibrary {
public:
    explicit AccessibilityLibrary(FailureLog& failures) noexcept
        : failures_(failures),
          oleacc_(L"oleacc.dll", failures),
          oleaut32_(L"oleaut32.dll", failures) {}

    // LresultFromObject: the answer to WM_GETOBJECT that hands `object` out; an error (below 0),
    // or 0 where oleacc is missing, when it cannot.
    [[nodiscard]] LRESULT resultFor(IAccessible* object, WPARAM wp);
    // CreateStdAccessibleObject: the system's own object for a part of a window.
    HRESULT standardObject(HWND window, LONG part, REFIID iid, void** out);
    // A string the caller frees (SysAllocStringLen); null when it cannot be had.
    [[nodiscard]] BSTR string(std::string_view utf8);

private:
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

    FailureLog& failures_;
    std::optional<ComLibrary> com_;  // ended last, after the libraries
    SystemLibrary oleacc_;
    SystemLibrary oleaut32_;
};

}  // namespace quorvel::platform::win32
