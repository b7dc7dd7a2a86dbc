#include "platform/win32/edit_adapter.h"

#include <algorithm>

#include "platform/win32/colors.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

std::wstring textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

DWORD caretOf(HWND window) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return end;
}

// Where the caret goes when the box shows `kept` instead of what the person's edit left. The
// model keeps the start of what was typed: the caret stays, or comes back to the end of what was
// kept (after a paste that did not fit, the end of what was kept of it). Text the model put in
// its place entirely is followed by the caret.
DWORD caretIn(const std::wstring& kept, const std::wstring& shown, DWORD caret) {
    const auto length = static_cast<DWORD>(kept.size());
    return shown.starts_with(kept) ? std::min(caret, length) : length;
}

}  // namespace

bool EditAdapter::command(UINT code) {
    if (code != EN_CHANGE || writing()) {
        return false;
    }
    Typed typed{textOf(window()), caretOf(window())};
    std::string text = toUtf8(typed.shown);
    text_ = text;
    typed_ = std::move(typed);
    box_.typeText(std::move(text));
    return true;
}

void EditAdapter::applyState() {
    if (readOnly_ != box_.readOnly()) {
        SendMessageW(window(), EM_SETREADONLY, box_.readOnly() ? TRUE : FALSE, 0);
        readOnly_ = box_.readOnly();
    }
    if (maxLength_ != box_.maxLength()) {
        // 0 lifts the limit, as in the model.
        SendMessageW(window(), EM_LIMITTEXT, box_.maxLength(), 0);
        maxLength_ = box_.maxLength();
    }
    applyText();
    if (const auto colours = std::pair{box_.backColor(), box_.foreColor()}; colours_ != colours) {
        // Painted in WM_CTLCOLOR*.
        failures().check(InvalidateRect(window(), nullptr, TRUE), "InvalidateRect (control)");
        colours_ = colours;
    }
}

void EditAdapter::applyText() {
    const std::optional<Typed> typed = std::exchange(typed_, std::nullopt);
    if (text_ == box_.text()) {
        return;
    }
    const std::wstring wide = toWide(box_.text());
    {
        // An edit box reports the program's own text as a change (EN_CHANGE); that is no typing.
        const Writing writing(*this);
        failures().check(SetWindowTextW(window(), wide.c_str()),
                         "SetWindowTextW (control " + box_.name() + ")");
    }
    text_ = box_.text();
    if (typed) {
        const DWORD caret = caretIn(wide, typed->shown, typed->caret);
        SendMessageW(window(), EM_SETSEL, caret, caret);
        SendMessageW(window(), EM_SCROLLCARET, 0, 0);
    }
}

std::optional<LRESULT> EditAdapter::color(HDC dc) {
    // A box the program has coloured (a colour swatch) shows its own colours, also while it
    // is read-only; the others keep the system's look.
    if (box_.backColor() == forms::kWindowBackground && box_.foreColor() == forms::kWindowText) {
        return std::nullopt;
    }
    SetTextColor(dc, toColorRef(box_.foreColor()));
    SetBkColor(dc, toColorRef(box_.backColor()));
    return reinterpret_cast<LRESULT>(services().brushes->of(box_.backColor()));
}

}  // namespace quorvel::platform::win32
