#include "platform/win32/child_controls.h"

#include <algorithm>
#include <utility>

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

#include "platform/win32/colors.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// A dropped-down list shows this many items before it scrolls.
constexpr int kDroppedRows = 8;

// Marks the host's own writes into the controls for as long as it lasts.
class WritingScope {
public:
    explicit WritingScope(bool& writing) noexcept : writing_(writing), was_(writing) {
        writing_ = true;
    }
    ~WritingScope() { writing_ = was_; }
    WritingScope(const WritingScope&) = delete;
    WritingScope& operator=(const WritingScope&) = delete;

private:
    bool& writing_;
    bool was_;
};

struct ChildClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ChildClass classOf(forms::ControlKind kind) {
    // Hidden at first: the first sync shows what the form shows. No sorting: the items keep the
    // model's order, which the indices of choose() count in.
    constexpr DWORD kChild = WS_CHILD | WS_TABSTOP;
    switch (kind) {
        case forms::ControlKind::TextBox:
            return {L"EDIT", kChild | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case forms::ControlKind::ComboBox:
            return {L"COMBOBOX", kChild | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case forms::ControlKind::ListBox:
            return {L"LISTBOX", kChild | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
        default:
            // BS_NOTIFY: the button reports getting the focus, which moves the default look.
            return {L"BUTTON", kChild | BS_PUSHBUTTON | BS_NOTIFY, 0};
    }
}

bool isNative(forms::ControlKind kind) {
    return kind == forms::ControlKind::TextBox || kind == forms::ControlKind::ComboBox ||
           kind == forms::ControlKind::ListBox || kind == forms::ControlKind::Button;
}

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return toUtf8(text);
}

// Each kind numbers its notifications in its own way.
bool isFocusNotice(forms::ControlKind kind, UINT code) {
    switch (kind) {
        case forms::ControlKind::TextBox:
            return code == EN_SETFOCUS;
        case forms::ControlKind::ComboBox:
            return code == CBN_SETFOCUS;
        case forms::ControlKind::ListBox:
            return code == LBN_SETFOCUS;
        case forms::ControlKind::Button:
            return code == BN_SETFOCUS;
        default:
            return false;
    }
}

int selectionOf(HWND window, forms::ControlKind kind) {
    const UINT get = kind == forms::ControlKind::ComboBox ? CB_GETCURSEL : LB_GETCURSEL;
    return static_cast<int>(SendMessageW(window, get, 0, 0));
}

}  // namespace

HWND ChildControls::windowOf(const forms::Control& control) const noexcept {
    for (const Child& child : children_) {
        if (child.control == &control) {
            return child.window.get();
        }
    }
    return nullptr;
}

ChildControls::Child* ChildControls::find(HWND window) noexcept {
    if (window == nullptr) {
        return nullptr;
    }
    for (Child& child : children_) {
        if (child.window.get() == window) {
            return &child;
        }
    }
    return nullptr;
}

void ChildControls::destroy() noexcept {
    children_.clear();
    tabOrder_.clear();
    lastFocus_ = nullptr;
}

void ChildControls::abandon() noexcept {
    for (Child& child : children_) {
        static_cast<void>(child.window.release());
    }
    destroy();
}

ChildControls::Child* ChildControls::make(HWND parent, forms::NativeControl& control) {
    if (children_.empty()) {
        // The standard controls of the visual style the manifest asks for.
        loadCommonControls(ICC_STANDARD_CLASSES, *services_.failures);
        // Tab and Shift+Tab step through the controls of this window (IsDialogMessageW).
        const LONG_PTR ex = GetWindowLongPtrW(parent, GWL_EXSTYLE);
        SetWindowLongPtrW(parent, GWL_EXSTYLE, ex | WS_EX_CONTROLPARENT);
    }
    const auto id = static_cast<ChildId>(static_cast<WORD>(ChildId::kFirst) + children_.size());
    const ChildClass cls = classOf(control.kind());
    HWND window = CreateWindowExW(cls.exStyle, cls.name, L"", cls.style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  services_.instance, nullptr);
    if (window == nullptr) {
        services_.failures->record("CreateWindowExW (control " + control.name() + ")");
        return nullptr;
    }
    children_.push_back({&control, id, UniqueFont(), UniqueWindow(window), {}});
    return &children_.back();
}

void ChildControls::sync(HWND parent, const forms::Form& form, int dpi) {
    if (revision_ == form.revision() && dpi_ == dpi) {
        return;
    }
    bool made = false;
    for (const auto& control : form.controls()) {
        if (isNative(control->kind()) && windowOf(*control) == nullptr) {
            made = make(parent, static_cast<forms::NativeControl&>(*control)) != nullptr || made;
        }
    }
    for (Child& child : children_) {
        apply(child, dpi);
    }
    if (made || revision_ != form.revision()) {
        orderTabs();
    }
    showDefault();
    revision_ = form.revision();
    dpi_ = dpi;
}

void ChildControls::place(Child& child, int dpi) {
    PixelBox box = toPixels(child.control->bounds(), dpi);
    if (child.control->kind() == forms::ControlKind::ComboBox) {
        // A drop-down list's window reaches down over its dropped list; the field itself is
        // as high as the font makes it.
        const auto& list = static_cast<const forms::ListControl&>(*child.control);
        const int rows = std::clamp(static_cast<int>(list.items().size()), 1, kDroppedRows);
        const auto item =
            static_cast<int>(SendMessageW(child.window.get(), CB_GETITEMHEIGHT, 0, 0));
        box.bottom += std::max(item, 1) * rows + 2;
    }
    const auto same = [](const PixelBox& a, const PixelBox& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    if (!child.applied.box || !same(*child.applied.box, box)) {
        services_.failures->check(
            SetWindowPos(child.window.get(), nullptr, box.left, box.top, box.width(), box.height(),
                         SWP_NOZORDER | SWP_NOACTIVATE),
            "SetWindowPos (control)");
        child.applied.box = box;
    }
}

void ChildControls::applyText(Child& child, const std::string& text) {
    if (child.applied.text == text) {
        return;
    }
    // An edit box reports the program's own text as a change (EN_CHANGE); that is no typing.
    const WritingScope writing(writing_);
    SetWindowTextW(child.window.get(), toWide(text).c_str());
    child.applied.text = text;
}

void ChildControls::applyList(Child& child, const forms::ListControl& list, bool isCombo) {
    HWND window = child.window.get();
    const WritingScope writing(writing_);
    if (child.applied.items != list.items()) {
        SendMessageW(window, isCombo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        for (const std::string& item : list.items()) {
            const std::wstring wide = toWide(item);
            SendMessageW(window, isCombo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wide.c_str()));
        }
        child.applied.items = list.items();
        child.applied.listIndex.reset();
        child.applied.box.reset();  // a drop-down list's dropped height follows the item count
    }
    if (child.applied.listIndex != list.listIndex()) {
        // Neither message reports a selection change: only a person's choice is a click.
        SendMessageW(window, isCombo ? CB_SETCURSEL : LB_SETCURSEL,
                     static_cast<WPARAM>(list.listIndex()), 0);
        child.applied.listIndex = list.listIndex();
    }
}

void ChildControls::applyFont(Child& child, int dpi) {
    Applied& applied = child.applied;
    const auto* button = dynamic_cast<const forms::Button*>(child.control);
    const std::optional<forms::Font> own = button != nullptr ? button->font() : std::nullopt;
    if (applied.fontDpi == dpi && applied.font == own) {
        return;
    }
    HFONT font = services_.font->at(dpi);
    UniqueFont made;
    if (own) {
        const LOGFONTW description = fontDescription(*own, dpi, true);
        made.reset(CreateFontIndirectW(&description));
        if (made) {
            font = made.get();
        } else {
            services_.failures->record("CreateFontIndirectW (control)");
        }
    }
    SendMessageW(child.window.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The control no longer uses the font it had; only now may that one go.
    child.font = std::move(made);
    applied.fontDpi = dpi;
    applied.font = own;
    applied.box.reset();  // a drop-down list's height follows its font
}

void ChildControls::apply(Child& child, int dpi) {
    HWND window = child.window.get();
    Applied& applied = child.applied;
    forms::NativeControl& control = *child.control;
    applyFont(child, dpi);
    switch (control.kind()) {
        case forms::ControlKind::TextBox: {
            const auto& box = static_cast<const forms::TextBox&>(control);
            if (applied.readOnly != box.readOnly()) {
                SendMessageW(window, EM_SETREADONLY, box.readOnly() ? TRUE : FALSE, 0);
                applied.readOnly = box.readOnly();
            }
            if (applied.maxLength != box.maxLength()) {
                // 0 lifts the limit, as in the model.
                SendMessageW(window, EM_LIMITTEXT, box.maxLength(), 0);
                applied.maxLength = box.maxLength();
            }
            applyText(child, box.text());
            if (const auto colours = std::pair{box.backColor(), box.foreColor()};
                applied.colours != colours) {
                InvalidateRect(window, nullptr, TRUE);  // painted in WM_CTLCOLOR*
                applied.colours = colours;
            }
            break;
        }
        case forms::ControlKind::ComboBox:
        case forms::ControlKind::ListBox:
            applyList(child, static_cast<const forms::ListControl&>(control),
                      control.kind() == forms::ControlKind::ComboBox);
            break;
        case forms::ControlKind::Button:
            applyText(child, static_cast<const forms::Button&>(control).caption());
            break;
        default:
            break;
    }
    place(child, dpi);
    if (applied.enabled != control.enabled()) {
        EnableWindow(window, control.enabled() ? TRUE : FALSE);
        applied.enabled = control.enabled();
    }
    if (applied.visible != control.visible()) {
        ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
        applied.visible = control.visible();
    }
}

void ChildControls::showDefault() {
    const Child* focused = find(GetFocus());
    if (focused != nullptr && focused->control->kind() != forms::ControlKind::Button) {
        focused = nullptr;
    }
    for (const Child& child : children_) {
        if (child.control->kind() != forms::ControlKind::Button) {
            continue;
        }
        const bool wanted = focused != nullptr
                                ? &child == focused
                                : static_cast<const forms::Button&>(*child.control).isDefault();
        const auto type = static_cast<DWORD>(GetWindowLongPtrW(child.window.get(), GWL_STYLE)) &
                          static_cast<DWORD>(BS_TYPEMASK);
        if ((type == BS_DEFPUSHBUTTON) != wanted) {
            SendMessageW(child.window.get(), BM_SETSTYLE, wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                         TRUE);
        }
    }
}

void ChildControls::orderTabs() {
    // Tab and Shift+Tab follow the children's z-order; the model numbers the Tab order.
    std::vector<const Child*> order;
    order.reserve(children_.size());
    for (const Child& child : children_) {
        order.push_back(&child);
    }
    std::stable_sort(order.begin(), order.end(), [](const Child* a, const Child* b) {
        return a->control->tabIndex() < b->control->tabIndex();
    });
    std::vector<HWND> windows;
    windows.reserve(order.size());
    for (const Child* child : order) {
        windows.push_back(child->window.get());
    }
    if (windows == tabOrder_) {
        return;
    }
    HWND after = HWND_TOP;
    for (HWND window : windows) {
        SetWindowPos(window, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = window;
    }
    tabOrder_ = std::move(windows);
}

bool ChildControls::enter(forms::Form& form) {
    // Enter on a list box activates its item, as a double-click would; elsewhere it presses the
    // default button, if the form has one.
    if (Child* focused = find(GetFocus());
        focused != nullptr && focused->control->kind() == forms::ControlKind::ListBox) {
        const int index = selectionOf(focused->window.get(), forms::ControlKind::ListBox);
        if (index >= 0) {
            focused->applied.listIndex = index;
            static_cast<forms::ListBox&>(*focused->control).activate(index);
            return true;
        }
    }
    form.enterKey();
    return true;
}

bool ChildControls::command(forms::Form& form, WPARAM wp, LPARAM lp) {
    const auto id = static_cast<ChildId>(LOWORD(wp));
    const UINT code = HIWORD(wp);
    HWND from = reinterpret_cast<HWND>(lp);
    if (from == nullptr) {
        // The dialog manager's Enter and Escape come without a control.
        if (id == ChildId::kEnter) {
            return enter(form);
        }
        if (id == ChildId::kEscape) {
            form.escapeKey();
            return true;
        }
        return false;
    }
    Child* child = find(from);
    if (child == nullptr || child->id != id) {
        return false;
    }
    forms::NativeControl& control = *child->control;
    if (isFocusNotice(control.kind(), code)) {
        showDefault();
        return true;
    }
    switch (control.kind()) {
        case forms::ControlKind::TextBox:
            if (code == EN_CHANGE && !writing_) {
                std::string text = textOf(from);
                child->applied.text = text;  // what the box shows now
                static_cast<forms::TextBox&>(control).typeText(std::move(text));
            }
            break;
        case forms::ControlKind::ComboBox:
        case forms::ControlKind::ListBox: {
            const bool isCombo = control.kind() == forms::ControlKind::ComboBox;
            // An open drop-down list moves its selection with every arrow key; the choice is
            // made when it closes on a new entry, so nothing asks a question halfway down.
            const bool changed = isCombo
                                     ? (code == CBN_SELCHANGE &&
                                        SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0) == FALSE) ||
                                           code == CBN_CLOSEUP
                                     : code == LBN_SELCHANGE;
            const bool activated = !isCombo && code == LBN_DBLCLK;
            if ((changed || activated) && !writing_) {
                const int index = selectionOf(from, control.kind());
                if (isCombo && index == child->applied.listIndex) {
                    break;  // closed on the entry it had, or already reported
                }
                child->applied.listIndex = index;
                if (activated) {
                    static_cast<forms::ListBox&>(control).activate(index);
                } else {
                    static_cast<forms::ListControl&>(control).choose(index);
                }
            }
            break;
        }
        case forms::ControlKind::Button:
            if (code == BN_CLICKED) {
                static_cast<forms::Button&>(control).press();
            }
            break;
        default:
            break;
    }
    return true;
}

LRESULT ChildControls::controlColor(const forms::Form& form, UINT message, HDC dc, HWND from) {
    // A box the program has coloured (a colour swatch) shows its own colours, also while it
    // is read-only; the others keep the system's look.
    if (const Child* child = find(from);
        child != nullptr && child->control->kind() == forms::ControlKind::TextBox) {
        const auto& box = static_cast<const forms::TextBox&>(*child->control);
        if (box.backColor() != forms::kWindowBackground || box.foreColor() != forms::kWindowText) {
            SetTextColor(dc, toColorRef(box.foreColor()));
            SetBkColor(dc, toColorRef(box.backColor()));
            return reinterpret_cast<LRESULT>(services_.brushes->of(box.backColor()));
        }
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, toColorRef(form.backColor()));
    return reinterpret_cast<LRESULT>(services_.brushes->of(form.backColor()));
}

void ChildControls::windowDeactivated(HWND parent) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(parent, focus) != FALSE) {
        lastFocus_ = focus;
    }
}

void ChildControls::windowFocused(HWND parent) {
    if (children_.empty()) {
        return;
    }
    HWND target = find(lastFocus_) != nullptr ? lastFocus_ : nullptr;
    if (target == nullptr || IsWindowVisible(target) == FALSE || IsWindowEnabled(target) == FALSE) {
        target = GetNextDlgTabItem(parent, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

}  // namespace quorvel::platform::win32
