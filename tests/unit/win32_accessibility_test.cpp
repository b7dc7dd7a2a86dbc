// The bar as a screen reader reads it, in the program's own process: the real window host and
// the bar on the simulated system's files and shell. Windows build only. Under Wine another
// process cannot read an accessible object (it cannot be marshalled there), so the tree is
// checked here, at whatever resolution the prefix has (the end-to-end run asks at 96 and 144
// dpi).
#ifdef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/key_map.h"
#include "platform/win32/strconv.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/window_host.h"
#include "sim_bar_fixture.h"
// clang-format off
#include <oleacc.h>
// clang-format on

namespace quorvel::testing {
namespace {

using platform::win32::ComPtr;

struct Said {
    std::string name;
    forms::Rect twips;  // where the item is on the bar
    std::string value;
};

VARIANT child(LONG id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string taken(BSTR text) {
    std::string utf8 = text != nullptr ? platform::win32::toUtf8(text) : "";
    SysFreeString(text);
    return utf8;
}

// Coordinates in real pixels at any resolution, as a screen reader has them.
void becomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (set != nullptr) {
        set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));  // per monitor, v2
    }
}

class BarAccessibility : public BarFixture {
protected:
    void SetUp() override {
        becomeDpiAware();
        sim.events.bringUpToDate = [this] { host_.sync(); };
        host_.setDispatcher(&sim.events);
        timers_.setDispatcher(&sim.events);
        // The bar is laid out on the real screen.
        dpi_ = static_cast<int>(GetDpiForSystem());
        sim.screen.width = MulDiv(GetSystemMetrics(SM_CXSCREEN), 1440, dpi_);
        sim.screen.height = MulDiv(GetSystemMetrics(SM_CYSCREEN), 1440, dpi_);
    }
    void TearDown() override {
        program.reset();  // the windows go before the host that shows them
        host_.setDispatcher(nullptr);
        timers_.setDispatcher(nullptr);
    }

    // The bar on the real windows, opened to its width on the real timers.
    HWND startReal(int links) {
        store(sampleSet(links), 1);
        platform::Ports ports{sim.identity, sim.files,   sim.instance, sim.screen,
                              sim.dialogs,  sim.folders, sim.pictures, sim.process,
                              host_,        timers_,     sim.shell,    sim.cleanup};
        program = std::make_unique<program::Program>(ports);
        sim.dispatch([this] { program->start(); });
        const forms::Twips full = std::stoi(model().FWdth);
        pumpUntil([&] { return dock().width() == full; });
        return host_.windowOf(dock());
    }

    template <class Done>
    void pumpUntil(Done done) {
        const ULONGLONG end = GetTickCount64() + 5000;
        MSG msg{};
        while (!done() && GetTickCount64() < end) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }

    ComPtr<IAccessible> objectOf(HWND window) {
        ComPtr<IAccessible> object;
        const LRESULT answer =
            SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        std::string noted;
        for (const std::string& failure : failures_.recent()) {
            noted += failure + "\n";
        }
        EXPECT_GT(answer, 0) << noted;
        if (answer > 0) {
            EXPECT_EQ(ObjectFromLresult(answer, __uuidof(IAccessible), 0, object.putVoid()), S_OK);
        }
        return object;
    }

    // Where a screen reader must be told an item is (left, top, width, height): the bar's
    // corner on the screen and the item's twips, as pixels at the screen's resolution.
    using Place = std::array<LONG, 4>;
    Place expectedPlace(HWND bar, const forms::Rect& r) const {
        RECT window{};
        GetWindowRect(bar, &window);
        const auto px = [this](int twips) { return MulDiv(twips, dpi_, 1440); };
        const LONG left = px(r.left);
        const LONG top = px(r.top);
        return Place{window.left + left, window.top + top, px(r.left + r.width) - left,
                     px(r.top + r.height) - top};
    }

    HINSTANCE instance_ = GetModuleHandleW(nullptr);
    platform::win32::FailureLog failures_;
    platform::win32::Win32WindowHost host_{instance_, failures_};
    platform::win32::Win32TimerService timers_{instance_, failures_};
    int dpi_ = 96;
};

TEST_F(BarAccessibility, TheBarIsAToolBarOfNamedButtonsInTheirPlaces) {
    HWND bar = startReal(3);
    ASSERT_NE(bar, nullptr);
    ComPtr<IAccessible> object = objectOf(bar);
    ASSERT_TRUE(object);

    BSTR text = nullptr;
    EXPECT_EQ(object->get_accName(child(CHILDID_SELF), &text), S_OK);
    EXPECT_EQ(taken(text), "Quorvel");
    VARIANT role{};
    EXPECT_EQ(object->get_accRole(child(CHILDID_SELF), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_TOOLBAR);

    const std::vector<Said> expected = {
        {"隠す", {50, 50, 225, 225}, ""},  // the built-in button over the 220-twip item
        {"タスクバーの非表示", {45, 300, 235, 300}, ""},
        {"マイ コンピュータ", {360, 120, 480, 480}, ""},
        {"マイ ドキュメント", {960, 120, 480, 480}, ""},
        {"ごみ箱", {1560, 120, 480, 480}, "空"},
        {"リンク1", {2280, 120, 480, 480}, ""},
        {"リンク2", {2880, 120, 480, 480}, ""},
        {"リンク3", {3480, 120, 480, 480}, ""},
    };
    LONG count = 0;
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, static_cast<LONG>(expected.size()));
    std::printf("at %d dpi the bar reads:\n", dpi_);
    for (LONG id = 1; id <= count; ++id) {
        const Said& want = expected[static_cast<std::size_t>(id - 1)];
        IDispatch* element = nullptr;
        EXPECT_EQ(object->get_accChild(child(id), &element), S_FALSE);  // a simple element
        EXPECT_EQ(object->get_accName(child(id), &text), S_OK);
        const std::string name = taken(text);
        EXPECT_EQ(name, want.name);
        object->get_accValue(child(id), &text);
        const std::string value = taken(text);
        EXPECT_EQ(value, want.value) << name;
        EXPECT_EQ(object->get_accRole(child(id), &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON) << name;
        EXPECT_EQ(object->get_accDefaultAction(child(id), &text), S_OK);
        EXPECT_EQ(taken(text), "押す");
        LONG x = 0;
        LONG y = 0;
        LONG w = 0;
        LONG h = 0;
        EXPECT_EQ(object->accLocation(&x, &y, &w, &h, child(id)), S_OK);
        EXPECT_EQ((Place{x, y, w, h}), expectedPlace(bar, want.twips)) << name;
        std::printf("  %ld push button \"%s\"%s at %ld,%ld %ldx%ld\n", id, name.c_str(),
                    value.empty() ? "" : (" (" + value + ")").c_str(), x, y, w, h);
        // And back: the point in the middle of the item is that child.
        VARIANT hit{};
        EXPECT_EQ(object->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
        EXPECT_EQ(hit.lVal, id) << name;
    }
    VARIANT next{};
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, child(count), &next), S_FALSE);
    EXPECT_EQ(object->accNavigate(NAVDIR_FIRSTCHILD, child(CHILDID_SELF), &next), S_OK);
    EXPECT_EQ(next.lVal, 1);
}

// Out of context: the system queues the events to this thread, and the pump delivers them.
std::vector<LONG>& focusEvents() {
    static std::vector<LONG> events;
    return events;
}
void CALLBACK onFocusEvent(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG id, DWORD, DWORD) {
    if (object == OBJID_CLIENT) {
        focusEvents().push_back(id);
    }
}

TEST_F(BarAccessibility, TheKeyboardsItemIsTheFocusAndTheDefaultActionClicksIt) {
    HWND bar = startReal(3);
    ComPtr<IAccessible> object = objectOf(bar);
    ASSERT_TRUE(object);
    VARIANT focus{};
    EXPECT_EQ(object->get_accFocus(&focus), S_FALSE);  // the bar has not the keyboard yet

    focusEvents().clear();
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &onFocusEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    SendMessageW(bar, WM_HOTKEY, 1, 0);
    pumpUntil([&] { return dock().items().focused() && !focusEvents().empty(); });
    EXPECT_EQ(object->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, 6);  // the first link
    SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
    pumpUntil([&] { return focusEvents().size() >= 2; });
    if (hook != nullptr) {
        UnhookWinEvent(hook);
    }
    EXPECT_EQ(focusEvents(), (std::vector<LONG>{6, 7}));
    VARIANT state{};
    EXPECT_EQ(object->get_accState(child(7), &state), S_OK);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE);

    EXPECT_EQ(object->accDoDefaultAction(child(8)), S_OK);
    pumpUntil([&] { return !sim.shell.executed.empty(); });
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(sim.shell.executed[0].file, "C:\\docs\\3.txt");

    // A screen reader may hold the object longer than the bar lives.
    program.reset();
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
}

TEST_F(BarAccessibility, TheFoldedSwitchPanelReadsAsItsOpenButton) {
    startReal(3);
    HWND panel = host_.windowOf(BarFixture::panel());
    ComPtr<IAccessible> object = objectOf(panel);
    ASSERT_TRUE(object);
    LONG count = 0;
    BSTR text = nullptr;
    // Opening, the panel is folded; open, its set buttons carry the sets' names.
    ASSERT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(object->get_accName(child(1), &text), S_OK);
    EXPECT_EQ(taken(text), "開く");
}

// The global key, held by another first: the bar starts as usual and notes why it has none.
class BarHotkey : public BarAccessibility {};

TEST_F(BarHotkey, TakenByAnotherTheBarStartsWithoutItAndNotesWhy) {
    const platform::win32::HotkeyCode code = platform::win32::hotkeyCodeOf(bar::Dock::kHotkey);
    constexpr int kOthersId = 0x51;
    ASSERT_NE(RegisterHotKey(nullptr, kOthersId, code.modifiers, code.virtualKey), FALSE);
    startReal(3);
    UnregisterHotKey(nullptr, kOthersId);
    EXPECT_TRUE(dock().visible());
    const auto& noted = failures_.recent();
    const auto entry = std::find_if(noted.begin(), noted.end(), [](const std::string& line) {
        return line.find("RegisterHotKey (Dock)") != std::string::npos;
    });
    ASSERT_NE(entry, noted.end());
    std::printf("noted: %s\n", entry->c_str());
}

}  // namespace
}  // namespace quorvel::testing

#endif  // _WIN32
