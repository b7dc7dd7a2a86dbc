// A form's real controls in the Win32 host: what is made, how the model reaches the controls,
// and how what a person does reaches the model. Windows build only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

// clang-format off
#include "platform/win32/win32.h"
#include <commctrl.h>
// clang-format on

#include "forms/form.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/pictures.h"
#include "platform/win32/strconv.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/units.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {
namespace {

using K = forms::ControlKind;

constexpr forms::ControlRow kLayout[] = {
    {"Back", K::Image, {0, 0, 6000, 3000}},
    {"txtName", K::TextBox, {300, 150, 3000, 330}, "名前"},
    {"txtPath", K::TextBox, {300, 600, 3000, 330}, "C:\\", forms::kReadOnly},
    {"cboKind", K::ComboBox, {300, 1050, 3000, 330}, "ｱﾌﾟﾘｹｰｼｮﾝ\nﾌｧｲﾙ\nﾌｫﾙﾀﾞ"},
    {"lstDir", K::ListBox, {3600, 150, 2100, 1200}, "C:\\\nWindows\nUsers"},
    {"cmdOK", K::Button, {3600, 2400, 1095, 375}, "保存", forms::kDefaultButton},
    {"cmdNo", K::Button, {4800, 2400, 1095, 375}, "閉じる", forms::kCancelButton},
};

class ControlsForm : public forms::Form {
public:
    ControlsForm(std::string name, forms::FormServices services)
        : Form(std::move(name), services, {1500, 1500, 6000, 3000}, kLayout) {
        announce();
    }
    forms::TextBox& txtName = textBox("txtName");
    forms::TextBox& txtPath = textBox("txtPath");
    forms::ComboBox& cboKind = comboBox("cboKind");
    forms::ListBox& lstDir = listBox("lstDir");
    forms::Button& cmdOK = button("cmdOK");
    forms::Button& cmdNo = button("cmdNo");
};

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring lower(name);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(towlower(c));
    }
    return lower;
}

std::string textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return toUtf8(text);
}

LONG_PTR styleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

RECT clientRectOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class ChildControlsTest : public ::testing::Test {
protected:
    HINSTANCE instance_ = GetModuleHandleW(nullptr);
    FailureLog failures_;
    Win32WindowHost host_{instance_, failures_};
    Win32TimerService timers_{instance_, failures_};
    WicPictures pictures_{failures_};
    forms::FormServices services_{host_, timers_, pictures_};
    int dpi_ = static_cast<int>(GetDpiForSystem());
    ControlsForm form_{"ControlsTest", services_};
    std::vector<std::string> events_;

    void SetUp() override {
        form_.show();
        host_.sync();
        form_.txtName.onChange = [this] { events_.push_back("change " + form_.txtName.text()); };
        form_.cboKind.onClick = [this] { events_.push_back("click " + form_.cboKind.text()); };
        form_.lstDir.onClick = [this] { events_.push_back("pick " + form_.lstDir.text()); };
        form_.lstDir.onDblClick = [this] { events_.push_back("open " + form_.lstDir.text()); };
        form_.cmdOK.onClick = [this] { events_.push_back("ok"); };
        form_.cmdNo.onClick = [this] { events_.push_back("no"); };
    }

    HWND parent() { return host_.windowOf(form_); }
    HWND child(const forms::Control& c) { return host_.windowOf(c); }
};

TEST_F(ChildControlsTest, EachKindIsARealControlOfItsClassWithItsStyles) {
    struct Expected {
        const forms::Control* control;
        const wchar_t* cls;
        LONG_PTR styleOn;
        LONG_PTR styleOff;
    };
    const Expected expected[] = {
        {&form_.txtName, L"edit", ES_AUTOHSCROLL, ES_MULTILINE | ES_READONLY},
        {&form_.txtPath, L"edit", ES_AUTOHSCROLL | ES_READONLY, ES_MULTILINE},
        {&form_.cboKind, L"combobox", CBS_DROPDOWNLIST, CBS_SORT},
        {&form_.lstDir, L"listbox", LBS_NOTIFY, LBS_SORT},
        {&form_.cmdOK, L"button", BS_DEFPUSHBUTTON, 0},
        {&form_.cmdNo, L"button", 0, BS_DEFPUSHBUTTON},
    };
    std::vector<int> ids;
    HFONT font = nullptr;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.control->name());
        HWND window = child(*e.control);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), parent());
        EXPECT_EQ(classOf(window), e.cls);
        const LONG_PTR style = styleOf(window);
        EXPECT_EQ(style & (WS_CHILD | WS_TABSTOP | WS_VISIBLE), WS_CHILD | WS_TABSTOP | WS_VISIBLE);
        EXPECT_EQ(style & e.styleOn, e.styleOn);
        EXPECT_EQ(style & e.styleOff, 0);
        ids.push_back(GetDlgCtrlID(window));
        // One font for all of them.
        auto* own = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
        ASSERT_NE(own, nullptr);
        EXPECT_TRUE(font == nullptr || font == own);
        font = own;
    }
    // Named ids, clear of Enter's and Escape's commands and of each other.
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_GE(ids[i], static_cast<int>(ChildId::kFirst));
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(ids[i], ids[j]);
        }
    }
    EXPECT_TRUE((GetWindowLongPtrW(parent(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0);
    EXPECT_TRUE((styleOf(parent()) & WS_CLIPCHILDREN) != 0);
    EXPECT_EQ(host_.windowOf(form_.image("Back")), nullptr);  // painted, not a window

    // Placed from twips at the window's DPI, as the painted controls are.
    const PixelBox box = toPixels(form_.txtName.bounds(), dpi_);
    const RECT r = clientRectOf(child(form_.txtName));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{box.left, box.top, box.right, box.bottom}));

    EXPECT_EQ(textOf(child(form_.txtName)), "名前");
    EXPECT_EQ(textOf(child(form_.cmdOK)), "保存");
    EXPECT_EQ(SendMessageW(child(form_.cboKind), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(child(form_.cboKind), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(child(form_.lstDir), LB_GETCOUNT, 0, 0), 3);
}

// Japanese text must show as text, not as empty boxes, whatever the system's message font is.
TEST_F(ChildControlsTest, TheSharedFontHasJapaneseGlyphs) {
    auto* font = reinterpret_cast<HFONT>(SendMessageW(child(form_.txtName), WM_GETFONT, 0, 0));
    const WindowDc screen(nullptr);
    const SelectScope selected(screen.get(), font);
    const std::wstring text = L"日本語のﾃｷｽﾄ";
    std::vector<WORD> glyphs(text.size());
    ASSERT_NE(GetGlyphIndicesW(screen.get(), text.c_str(), static_cast<int>(text.size()),
                               glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
              GDI_ERROR);
    for (WORD glyph : glyphs) {
        EXPECT_NE(glyph, 0xFFFF);
    }
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    EXPECT_LT(description.lfHeight, 0);  // a character height, scaled for the DPI
}

TEST_F(ChildControlsTest, ModelChangesReachTheControlsAtTheNextSync) {
    form_.txtName.setText("別の名前");
    form_.txtName.setMaxLength(20);
    form_.txtPath.setReadOnly(false);
    form_.cboKind.setItems({"上", "下"});
    form_.cboKind.setListIndex(1);
    form_.lstDir.setListIndex(2);
    form_.cmdOK.setCaption("決定");
    form_.cmdOK.setDefault(false);
    form_.cmdNo.setDefault(true);
    form_.cmdNo.setEnabled(false);
    form_.lstDir.setVisible(false);
    form_.txtName.setBounds({600, 300, 1500, 330});
    host_.sync();

    EXPECT_EQ(textOf(child(form_.txtName)), "別の名前");
    EXPECT_EQ(SendMessageW(child(form_.txtName), EM_GETLIMITTEXT, 0, 0), 20);
    EXPECT_EQ(styleOf(child(form_.txtPath)) & ES_READONLY, 0);
    EXPECT_EQ(SendMessageW(child(form_.cboKind), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(child(form_.cboKind), CB_GETCURSEL, 0, 0), 1);
    wchar_t item[16] = {};
    SendMessageW(child(form_.cboKind), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(toUtf8(item), "下");
    EXPECT_EQ(SendMessageW(child(form_.lstDir), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(textOf(child(form_.cmdOK)), "決定");
    EXPECT_EQ(styleOf(child(form_.cmdOK)) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(styleOf(child(form_.cmdNo)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_FALSE(IsWindowEnabled(child(form_.cmdNo)));
    EXPECT_FALSE(IsWindowVisible(child(form_.lstDir)));
    EXPECT_EQ(clientRectOf(child(form_.txtName)).left, twipsToPixels(600, dpi_));

    // None of the program's own changes came back as something the person did.
    EXPECT_EQ(events_, (std::vector<std::string>{"change 別の名前", "click 下", "pick Users"}));

    // A control added after the window exists gets its window at the next sync.
    forms::TextBox& later = form_.addTextBox("txtLater", {300, 2400, 2000, 330});
    EXPECT_EQ(child(later), nullptr);
    host_.sync();
    ASSERT_NE(child(later), nullptr);
    EXPECT_EQ(classOf(child(later)), L"edit");
}

TEST_F(ChildControlsTest, WhatAPersonDoesReachesTheModelExactlyOnce) {
    // Typing into the box: one change per character, with the box's whole text.
    SendMessageW(child(form_.txtName), EM_SETSEL, 0, -1);
    SendMessageW(child(form_.txtName), WM_CHAR, L'姓', 0);
    SendMessageW(child(form_.txtName), WM_CHAR, L'名', 0);
    EXPECT_EQ(form_.txtName.text(), "姓名");
    host_.sync();  // the box already shows it: nothing is written back, nothing echoed

    // Keyboard selection in the drop-down list and in the list box.
    SendMessageW(child(form_.cboKind), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(child(form_.cboKind), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(child(form_.lstDir), WM_KEYDOWN, VK_DOWN, 0);
    host_.sync();
    EXPECT_EQ(form_.cboKind.listIndex(), 1);
    EXPECT_EQ(SendMessageW(child(form_.cboKind), CB_GETCURSEL, 0, 0), 1);

    // A double-click on a list item: the selection is already there, so only the activation.
    const auto item = static_cast<int>(SendMessageW(child(form_.lstDir), LB_GETITEMHEIGHT, 0, 0));
    SendMessageW(child(form_.lstDir), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, item / 2));
    SendMessageW(child(form_.lstDir), WM_LBUTTONUP, 0, MAKELPARAM(5, item / 2));

    SendMessageW(child(form_.cmdNo), BM_CLICK, 0, 0);
    // Enter and Escape as the dialog manager sends them.
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);

    EXPECT_EQ(events_,
              (std::vector<std::string>{"change 姓", "change 姓名", "click ｱﾌﾟﾘｹｰｼｮﾝ", "click ﾌｧｲﾙ",
                                        "pick C:\\", "open C:\\", "no", "ok", "no"}));

    // What a control that takes no input does is not the person's doing either.
    events_.clear();
    form_.cmdOK.setEnabled(false);
    form_.cmdNo.setCancel(false);
    host_.sync();
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(events_.empty());
    EXPECT_TRUE(IsWindow(parent()));
}

// Arrow keys in an open drop-down list move its selection, and the system reports each move;
// a choice that asks a question would ask it halfway down the list. The choice is made once,
// when the list closes on a new entry, and not at all when it closes on the old one.
TEST_F(ChildControlsTest, AnOpenDropDownListChoosesOnceWhenItCloses) {
    HWND combo = child(form_.cboKind);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_NE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(events_.empty());
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(events_, (std::vector<std::string>{"click ﾌｧｲﾙ"}));
    EXPECT_EQ(form_.cboKind.listIndex(), 1);

    events_.clear();
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_TRUE(events_.empty());
}

// Setting an edit box's text reports a change (EN_CHANGE). Taken for typing, the program's own
// text would come back cut to the box's limit, or with every program write twice.
TEST_F(ChildControlsTest, TheHostsOwnWritesAreNotTyping) {
    form_.txtName.setMaxLength(4);
    host_.sync();
    events_.clear();
    form_.txtName.setText("とても長い名前");  // the program may hold more than a person may type
    host_.sync();
    EXPECT_EQ(form_.txtName.text(), "とても長い名前");
    EXPECT_EQ(textOf(child(form_.txtName)), "とても長い名前");
    EXPECT_EQ(events_, std::vector<std::string>{"change とても長い名前"});

    // Typing still arrives, cut to the limit, and the box then shows what the model holds.
    SendMessageW(child(form_.txtName), EM_SETSEL, 0, -1);
    SendMessageW(child(form_.txtName), WM_CHAR, L'あ', 0);
    host_.sync();
    EXPECT_EQ(form_.txtName.text(), "あ");
    EXPECT_EQ(textOf(child(form_.txtName)), "あ");
}

// A field keeps no more of what is typed than its stored width holds. The box shows at once
// what was kept, never the characters dropped, and the caret stays where the person typed
// (after a paste that did not fit: at the end of what was kept of it).
TEST_F(ChildControlsTest, TheBoxShowsWhatTheFieldKeptWithTheCaretWhereThePersonTyped) {
    form_.txtName.fitTyped = [](std::string text) { return forms::firstCharacters(text, 4); };
    struct Edit {
        const char* before;
        DWORD at;              // where the person types or pastes
        const wchar_t* input;  // one character typed, or more pasted
        const char* kept;
        DWORD caret;
    };
    const Edit edits[] = {
        {"ABCD", 4, L"E", "ABCD", 4},             // typed past the end of a full field
        {"ABCD", 1, L"X", "AXBC", 2},             // typed into the middle of a full one
        {"AB", 2, L"XYZW", "ABXY", 4},            // a paste cut short at the end
        {"ABC", 1, L"XYZW", "AXYZ", 4},           // and in the middle
        {"あい", 1, L"うえおか", "あうえお", 4},  // counted in characters, not bytes
        {"AB", 1, L"X", "AXB", 2},                // room enough: the box is left as it is
    };
    HWND box = child(form_.txtName);
    for (const Edit& e : edits) {
        SCOPED_TRACE(std::string(e.before) + " + " + toUtf8(e.input));
        form_.txtName.setText(e.before);
        host_.sync();
        SendMessageW(box, EM_SETSEL, e.at, e.at);
        if (e.input[1] == L'\0') {
            SendMessageW(box, WM_CHAR, e.input[0], 0);
        } else {
            SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(e.input));
        }
        EXPECT_EQ(form_.txtName.text(), e.kept);
        EXPECT_EQ(textOf(box), e.kept);  // at once, before any sync
        host_.sync();
        EXPECT_EQ(textOf(box), e.kept);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, e.caret);
        EXPECT_EQ(end, e.caret);
    }
}

// A handler that changes the box it is reacting to must not start a loop through the echo.
TEST_F(ChildControlsTest, AHandlerRewritingItsOwnBoxSeesOneChangePerEdit) {
    EventDispatcher dispatcher;
    dispatcher.bringUpToDate = [this] { host_.sync(); };
    host_.setDispatcher(&dispatcher);
    int changes = 0;
    form_.txtName.onChange = [this, &changes] {
        ++changes;
        form_.txtName.setText("固定");  // runs once more, from inside the first change
    };
    SendMessageW(child(form_.txtName), EM_SETSEL, 0, -1);
    SendMessageW(child(form_.txtName), WM_CHAR, L'x', 0);
    host_.setDispatcher(nullptr);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(textOf(child(form_.txtName)), "固定");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(child(form_.txtName), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{2}, DWORD{2}));  // after the new text
}

TEST_F(ChildControlsTest, TabOrderFollowsTheTabIndex) {
    auto tabOrder = [this] {
        std::vector<std::string> names;
        const std::vector<const forms::NativeControl*> all = {&form_.txtName, &form_.txtPath,
                                                              &form_.cboKind, &form_.lstDir,
                                                              &form_.cmdOK,   &form_.cmdNo};
        HWND first = GetNextDlgTabItem(parent(), nullptr, FALSE);
        HWND at = first;
        do {
            for (const auto* c : all) {
                if (child(*c) == at) {
                    names.push_back(c->name());
                }
            }
            at = GetNextDlgTabItem(parent(), at, FALSE);
        } while (at != nullptr && at != first && names.size() < 10);
        return names;
    };
    EXPECT_EQ(tabOrder(), (std::vector<std::string>{"txtName", "txtPath", "cboKind", "lstDir",
                                                    "cmdOK", "cmdNo"}));
    form_.cmdNo.setTabIndex(-1);
    form_.txtName.setTabIndex(4);
    host_.sync();
    EXPECT_EQ(tabOrder(), (std::vector<std::string>{"cmdNo", "txtPath", "cboKind", "lstDir",
                                                    "txtName", "cmdOK"}));
}

TEST_F(ChildControlsTest, TabAndEnterGoThroughTheDialogManager) {
    SetForegroundWindow(parent());
    SetFocus(child(form_.txtName));
    ASSERT_EQ(GetFocus(), child(form_.txtName));
    MSG tab{child(form_.txtName), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(host_.preTranslate(tab));
    EXPECT_EQ(GetFocus(), child(form_.txtPath));

    // Enter on a list box opens its item; elsewhere it presses the default button.
    SetFocus(child(form_.lstDir));
    form_.lstDir.setListIndex(1);
    host_.sync();
    events_.clear();
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(events_, std::vector<std::string>{"open Windows"});
    // With nothing selected there, Enter goes on to the default button.
    form_.lstDir.setListIndex(-1);
    host_.sync();
    events_.clear();
    SendMessageW(parent(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(events_, std::vector<std::string>{"ok"});
}

TEST_F(ChildControlsTest, KeysOfWindowsWithoutControlsAreLeftAlone) {
    forms::Form bare("Bare", services_, {0, 0, 1500, 1500});
    MSG key{host_.windowOf(bare), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(host_.preTranslate(key));
    MSG click{child(form_.txtName), WM_LBUTTONDOWN, 0, 0, 0, {}};
    EXPECT_FALSE(host_.preTranslate(click));
}

TEST_F(ChildControlsTest, ControlsArePaintedOnTheFormsColourAndFieldsOnTheWindowColour) {
    form_.setBackColor(0xC0FFEEU);
    host_.sync();
    const WindowDc dc(parent());
    auto brushFor = [&](UINT message, const forms::Control& c) {
        return reinterpret_cast<HBRUSH>(SendMessageW(parent(), message,
                                                     reinterpret_cast<WPARAM>(dc.get()),
                                                     reinterpret_cast<LPARAM>(child(c))));
    };
    HBRUSH readOnly = brushFor(WM_CTLCOLORSTATIC, form_.txtPath);
    LOGBRUSH colour{};
    ASSERT_NE(GetObjectW(readOnly, sizeof(colour), &colour), 0);
    EXPECT_EQ(colour.lbColor, static_cast<COLORREF>(0xC0FFEEU));
    EXPECT_EQ(brushFor(WM_CTLCOLORBTN, form_.cmdOK), readOnly);  // one brush per colour
    EXPECT_EQ(brushFor(WM_CTLCOLOREDIT, form_.txtName), GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(brushFor(WM_CTLCOLORLISTBOX, form_.lstDir), GetSysColorBrush(COLOR_WINDOW));

    // A box the program colours (a colour swatch) shows its colours, read-only or not.
    for (const UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
        form_.txtName.setBackColor(0x0000FFU);
        form_.txtName.setForeColor(0x0000FFU);
        host_.sync();
        LOGBRUSH swatch{};
        ASSERT_NE(GetObjectW(brushFor(message, form_.txtName), sizeof(swatch), &swatch), 0);
        EXPECT_EQ(swatch.lbColor, static_cast<COLORREF>(0x0000FFU));
        EXPECT_EQ(GetTextColor(dc.get()), static_cast<COLORREF>(0x0000FFU));
    }
}

TEST_F(ChildControlsTest, HintsFollowTheirControls) {
    EXPECT_EQ(host_.toolTipsOf(form_), nullptr);  // no hint yet, no tooltip control
    forms::Image& mark = form_.addImage("Mark", {150, 2400, 480, 480});
    form_.txtName.setToolTip("名前を入力");
    form_.image("Back").setToolTip("ウインドウ");
    mark.setToolTip("マイ コンピュータ");
    host_.sync();
    HWND tips = host_.toolTipsOf(form_);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(classOf(tips), L"tooltips_class32");
    ASSERT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);

    auto tool = [&](int index) {
        wchar_t text[80] = {};
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.lpszText = text;
        SendMessageW(tips, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&info));
        return std::make_pair(toUtf8(text), info.rect);
    };
    // The top of the stacking first: the mark lies on the background, and its hint wins there.
    EXPECT_EQ(tool(0).first, "マイ コンピュータ");
    EXPECT_EQ(tool(1).first, "名前を入力");
    EXPECT_EQ(tool(2).first, "ウインドウ");
    EXPECT_EQ(tool(0).second.left, twipsToPixels(150, dpi_));

    mark.move(900, 2400);
    mark.setToolTip("マイ ドキュメント");
    host_.sync();
    EXPECT_EQ(tool(0).first, "マイ ドキュメント");
    EXPECT_EQ(tool(0).second.left, twipsToPixels(900, dpi_));

    mark.setVisible(false);
    form_.txtName.setToolTip("");
    host_.sync();
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(tool(0).first, "ウインドウ");
}

TEST_F(ChildControlsTest, ANewDpiPlacesTheControlsAgainWithAFontOfThatSize) {
    const auto* before =
        reinterpret_cast<HFONT>(SendMessageW(child(form_.cmdOK), WM_GETFONT, 0, 0));
    const int dpi = dpi_ == 144 ? 96 : 144;
    RECT suggested{0, 0, 100, 100};
    SendMessageW(parent(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    auto* after = reinterpret_cast<HFONT>(SendMessageW(child(form_.cmdOK), WM_GETFONT, 0, 0));
    EXPECT_NE(after, before);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child(form_.txtName), WM_GETFONT, 0, 0)), after);
    LOGFONTW description{};
    GetObjectW(after, sizeof(description), &description);
    EXPECT_EQ(description.lfHeight, uiFontDescription(dpi).lfHeight);
    EXPECT_EQ(clientRectOf(child(form_.cmdOK)).left, twipsToPixels(form_.cmdOK.left(), dpi));
}

// A button with a typeface of its own: its size in quarter points, a face the system lacks
// replaced by a Japanese one; the other controls keep the shared font.
TEST_F(ChildControlsTest, AButtonsOwnTypefaceReplacesTheSharedFont) {
    const auto fontOf = [&](const forms::Control& c) {
        return reinterpret_cast<HFONT>(SendMessageW(child(c), WM_GETFONT, 0, 0));
    };
    HFONT shared = fontOf(form_.cmdNo);
    form_.cmdOK.setFont(forms::Font{"No Such Face Anywhere", 11.25, true, false});
    host_.sync();
    HFONT own = fontOf(form_.cmdOK);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, shared);
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(own, sizeof(description), &description), 0);
    EXPECT_EQ(description.lfHeight, -static_cast<LONG>(std::lround(11.25 * dpi_ / 72)));
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_EQ(description.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(description.lfFaceName[0], L'\0');
    EXPECT_EQ(fontOf(form_.cmdNo), shared);  // the other controls keep theirs

    const std::wstring text = L"Ｏ　Ｋ日本語";
    {
        const WindowDc screen(nullptr);
        const SelectScope selected(screen.get(), own);
        std::vector<WORD> glyphs(text.size());
        ASSERT_NE(GetGlyphIndicesW(screen.get(), text.c_str(), static_cast<int>(text.size()),
                                   glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
                  GDI_ERROR);
        for (WORD glyph : glyphs) {
            EXPECT_NE(glyph, 0xFFFF);
        }
    }
}

class DialogFormTest : public ChildControlsTest {};

TEST_F(DialogFormTest, ADialogHasATitleBarACloseBoxAndItsFormSizeAsClientArea) {
    ControlsForm dialog("DialogTest", services_);
    ASSERT_NE(host_.windowOf(dialog), nullptr);  // made borderless, then given a frame
    dialog.setStyle(forms::FormStyle::Dialog);
    dialog.setCaption("設定");
    dialog.show();
    host_.sync();
    HWND window = host_.windowOf(dialog);
    const LONG_PTR style = styleOf(window);
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    // A taskbar button to find it again: no hidden owner to keep it off the taskbar.
    EXPECT_TRUE((ex & WS_EX_APPWINDOW) != 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(ex & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(textOf(window), "設定");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, twipsToPixels(6000, dpi_));
    EXPECT_EQ(client.bottom, twipsToPixels(3000, dpi_));
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, twipsToPixels(1500, dpi_));
    EXPECT_EQ(GetForegroundWindow(), window);  // it comes up ready for the keyboard

    dialog.setCaption("設定 - 2");
    host_.sync();
    EXPECT_EQ(textOf(window), "設定 - 2");

    // Dragged aside by its title bar, it stays where the person put it when the form changes.
    SetWindowPos(window, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(dialog.left(), pixelsToTwips(40, dpi_));
    EXPECT_EQ(dialog.top(), pixelsToTwips(60, dpi_));
    dialog.setWidth(6300);
    host_.sync();
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 60);

    // The close box goes to the form's own handler, not to the program's.
    int closes = 0;
    std::vector<std::string> programCloses;
    host_.onCloseRequest = [&](forms::Form& f) { programCloses.push_back(f.name()); };
    dialog.onCloseRequest = [&] { ++closes; };
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(programCloses.empty());
    EXPECT_TRUE(IsWindow(window));
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
