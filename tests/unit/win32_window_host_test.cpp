// The window host and the timer service against real windows. Windows build only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/pictures.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/units.h"
#include "platform/win32/window_host.h"

namespace quorvel::platform::win32 {
namespace {

class TestForm : public forms::Form {
public:
    TestForm(std::string name, forms::FormServices services)
        : Form(std::move(name), services, {1500, 3000, 4500, 735}) {
        item = &addImage("item", {150, 150, 480, 480});
        announce();
    }
    forms::Image* item;
};

// Runs whatever the window system has queued, for about `ms` milliseconds.
void pump(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    MSG msg{};
    while (GetTickCount64() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

class WindowHostTest : public ::testing::Test {
protected:
    HINSTANCE instance_ = GetModuleHandleW(nullptr);
    FailureLog failures_;
    Win32WindowHost host_{instance_, failures_};
    Win32TimerService timers_{instance_, failures_};
    WicPictures pictures_{failures_};
    forms::FormServices services_{host_, timers_, pictures_};
    int dpi_ = static_cast<int>(GetDpiForSystem());
};

TEST_F(WindowHostTest, EachFormIsAHiddenToolPopupNamedAfterIt) {
    TestForm form("HostTestBar", services_);
    HWND window = host_.windowOf(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowW(L"Quorvel.HostTestBar", L"HostTestBar"), window);
    EXPECT_EQ(host_.mainWindow(), window);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE((style & WS_POPUP) != 0);
    EXPECT_TRUE((style & (WS_CAPTION | WS_THICKFRAME)) == 0);
    EXPECT_TRUE((exStyle & WS_EX_TOOLWINDOW) != 0);  // kept off the taskbar
    // Shells that ignore the tool-window style still leave owned windows off the taskbar.
    HWND owner = GetWindow(window, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    // Nothing of it takes dropped files, so the window does not offer to take them.
    EXPECT_TRUE((exStyle & WS_EX_ACCEPTFILES) == 0);
    host_.sync();
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowHostTest, SyncPlacesShowsStacksAndKeysTheWindowFromItsForm) {
    TestForm form("Geometry", services_);
    HWND window = host_.windowOf(form);
    form.show();
    host_.sync();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, twipsToPixels(1500, dpi_));
    EXPECT_EQ(r.top, twipsToPixels(3000, dpi_));
    EXPECT_EQ(r.right - r.left, twipsToPixels(4500, dpi_));
    EXPECT_EQ(r.bottom - r.top, twipsToPixels(735, dpi_));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);  // shown without taking the focus

    form.setTopmost(true);
    form.setColorKey(forms::kTransparentKey);
    form.setWidth(300);
    host_.sync();
    EXPECT_TRUE((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    EXPECT_TRUE((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(0x84, 0x51, 0x55));
    EXPECT_TRUE((flags & LWA_COLORKEY) != 0);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, twipsToPixels(300, dpi_));

    form.setTopmost(false);
    form.setColorKey(std::nullopt);
    form.hide();
    host_.sync();
    EXPECT_TRUE((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    EXPECT_TRUE((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) == 0);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowHostTest, MouseMessagesReachTheControlInTwips) {
    TestForm form("Mouse", services_);
    HWND window = host_.windowOf(form);
    std::vector<forms::Point> moves;
    std::vector<forms::MouseButton> presses;
    int clicks = 0;
    form.item->events.onMouseMove = [&](forms::Point p) { moves.push_back(p); };
    form.item->events.onMouseDown = [&](forms::MouseButton b, forms::Point) {
        presses.push_back(b);
    };
    form.item->events.onClick = [&] { ++clicks; };

    const int x = twipsToPixels(150 + 240, dpi_);
    const int y = twipsToPixels(150 + 240, dpi_);
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(window, WM_MOUSEMOVE, 0, at);
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(window, WM_RBUTTONUP, 0, at);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
    ASSERT_EQ(moves.size(), 1U);
    EXPECT_EQ(moves[0].x, pixelsToTwips(x, dpi_) - 150);  // relative to the image
    EXPECT_EQ(presses, (std::vector{forms::MouseButton::Right, forms::MouseButton::Left}));
    EXPECT_EQ(clicks, 1);  // the right button does not click

    // Pressed on the item, released elsewhere: no click.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(clicks, 1);
}

TEST_F(WindowHostTest, CloseRequestsGoToTheProgramAndDestroyingTheFormRemovesTheWindow) {
    HWND window = nullptr;
    {
        TestForm form("Closing", services_);
        window = host_.windowOf(form);
        std::vector<std::string> closed;
        host_.onCloseRequest = [&](forms::Form& f) { closed.push_back(f.name()); };
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(closed, std::vector<std::string>{"Closing"});
        EXPECT_TRUE(IsWindow(window));  // the program decides; the host does not destroy it
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(host_.mainWindow(), nullptr);
}

// The settings window's close box unloads the window from inside its own close handler: the
// window outlives the handler, then goes with the messages already queued, not at whatever
// event comes next (for an idle bar, none).
TEST_F(WindowHostTest, AFormUnloadedByItsOwnHandlerLeavesTheScreenWhenTheHandlerReturns) {
    auto form = std::make_unique<TestForm>("SelfUnloading", services_);
    HWND window = host_.windowOf(*form);
    form->show();
    host_.sync();
    ASSERT_TRUE(IsWindowVisible(window));
    bool aliveInHandler = false;
    host_.onCloseRequest = [&](forms::Form&) {
        form.reset();
        aliveInHandler = IsWindow(window) != FALSE;
    };
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(aliveInHandler);
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(L"Quorvel.SelfUnloading", nullptr), nullptr);
    host_.onCloseRequest = nullptr;
}

TEST_F(WindowHostTest, TimersTickUntilStoppedOrDestroyed) {
    TestForm form("Timers", services_);
    int syncs = 0;
    EventDispatcher dispatcher;
    dispatcher.bringUpToDate = [&] { ++syncs; };
    timers_.setDispatcher(&dispatcher);
    auto& timer = form.addTimer("Tim1");
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.start(10);
    for (int i = 0; i < 200 && ticks < 3; ++i) {
        pump(10);
    }
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(syncs, ticks);

    timer.stop();
    const int stoppedAt = ticks;
    pump(100);
    EXPECT_EQ(ticks, stoppedAt);

    // A tick already due for a timer that then goes must find nothing to run.
    auto& other = form.addTimer("Tim2");
    int otherTicks = 0;
    other.onTimer = [&] { ++otherTicks; };
    other.start(1);
    Sleep(30);
    other.stop();
    pump(60);
    EXPECT_EQ(otherTicks, 0);
    timers_.setDispatcher(nullptr);
}

// A message box or a menu opened by a click runs a loop of its own. Events dispatched inside it
// bring the windows up to date at once, but unloaded windows are destroyed only when the
// outermost handler has returned.
TEST_F(WindowHostTest, NestedEventsSyncAtOnceAndReapOnlyAfterTheOutermost) {
    TestForm form("Nested", services_);
    EventDispatcher dispatcher;
    std::vector<std::string> steps;
    dispatcher.bringUpToDate = [&] { steps.push_back("sync"); };
    dispatcher.afterOutermost = [&] { steps.push_back("reap"); };
    host_.setDispatcher(&dispatcher);
    HWND window = host_.windowOf(form);
    const int x = twipsToPixels(300, dpi_);
    form.item->events.onMouseMove = [&](forms::Point) {
        steps.push_back("outer");
        form.backgroundEvents.onMouseMove = [&](forms::Point) { steps.push_back("inner"); };
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));  // as a modal loop would
        steps.push_back("outer done");
    };
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, x));
    EXPECT_EQ(steps,
              (std::vector<std::string>{"outer", "inner", "sync", "outer done", "reap", "sync"}));
    host_.setDispatcher(nullptr);
}

// What the system tells every top-level window reaches the program once, through the oldest
// window (the bar), with the answer the system expects.
TEST_F(WindowHostTest, SystemNoticesReachTheProgramOnceWithTheirAnswers) {
    TestForm bar("NoticeBar", services_);
    TestForm popup("NoticePopup", services_);
    std::vector<std::string> heard;
    const auto note = [&heard](const char* what) {
        return [&heard, what] { heard.push_back(what); };
    };
    host_.onScreenChanged = note("screen");
    host_.onSessionEnding = note("ending");
    host_.onSessionContinues = note("continues");
    host_.onSessionEnded = note("ended");
    const UINT broadcast = RegisterWindowMessageW(L"QuorvelTest.Broadcast");
    host_.onBroadcast(broadcast, note("broadcast"));
    struct Notice {
        UINT message;
        WPARAM wp;
        const char* heard;  // null: nothing for the program
        LRESULT answer;
    };
    const Notice notices[] = {
        {WM_DISPLAYCHANGE, 32, "screen", 0},
        {WM_SETTINGCHANGE, SPI_SETWORKAREA, "screen", 0},
        {WM_SETTINGCHANGE, SPI_SETBEEP, nullptr, 0},
        {WM_QUERYENDSESSION, 0, "ending", TRUE},
        {WM_ENDSESSION, FALSE, "continues", 0},
        {WM_ENDSESSION, TRUE, "ended", 0},
        {broadcast, 0, "broadcast", 0},
    };
    for (const Notice& n : notices) {
        SCOPED_TRACE(n.message);
        heard.clear();
        for (HWND window : {host_.windowOf(bar), host_.windowOf(popup)}) {
            EXPECT_EQ(SendMessageW(window, n.message, n.wp, 0), n.answer);
        }
        EXPECT_EQ(heard, n.heard != nullptr ? std::vector<std::string>{n.heard}
                                            : std::vector<std::string>{});
    }
}

// A release that arrives after the capture went elsewhere (a menu opened by the press) is no
// click; the host's own release of the capture on button-up still is.
TEST_F(WindowHostTest, LosingTheCaptureBetweenPressAndReleaseCancelsTheClick) {
    TestForm form("Capture", services_);
    int clicks = 0;
    form.item->events.onClick = [&] { ++clicks; };
    HWND window = host_.windowOf(form);
    const int x = twipsToPixels(300, dpi_);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, x));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, x));
    EXPECT_EQ(clicks, 1);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, x));
    SendMessageW(window, WM_CAPTURECHANGED, 0, 0);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, x));
    EXPECT_EQ(clicks, 1);
}

// A handler cannot unwind through the window system's frames. Whatever called it (a window's
// message, a timer's tick), its failure is parked in one place for the message loop, which
// rethrows the first one once.
TEST_F(WindowHostTest, AThrowingHandlerIsParkedForTheMessageLoop) {
    TestForm form("Failing", services_);
    form.item->events.onMouseMove = [](forms::Point) { throw std::runtime_error("moved"); };
    auto& timer = form.addTimer("Tim1");
    int ticks = 0;
    timer.onTimer = [&ticks] {
        ++ticks;
        throw std::logic_error("ticked");
    };
    const int x = twipsToPixels(300, dpi_);
    SendMessageW(host_.windowOf(form), WM_MOUSEMOVE, 0, MAKELPARAM(x, x));
    EXPECT_THROW(failures_.rethrowParked(), std::runtime_error);
    EXPECT_NO_THROW(failures_.rethrowParked());

    timer.start(1);
    for (int i = 0; i < 200 && ticks == 0; ++i) {
        pump(10);
    }
    timer.stop();
    ASSERT_GT(ticks, 0);
    // A second failure before the loop got to the first: the first is the one kept.
    SendMessageW(host_.windowOf(form), WM_MOUSEMOVE, 0, MAKELPARAM(x, x));
    try {
        failures_.rethrowParked();
        ADD_FAILURE() << "nothing was parked";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "ticked");
    }
    EXPECT_NO_THROW(failures_.rethrowParked());
}

// SetWindowLongPtrW answers the value it replaced: 0 is a failure only when the system says so.
TEST(Win32FailureLog, AWindowLongIsNotedOnlyWhenSettingItFailed) {
    FailureLog failures;
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(setWindowLong(window, GWLP_USERDATA, 7, failures));  // it replaced 0
    EXPECT_TRUE(setWindowLong(window, GWLP_USERDATA, 0, failures));
    EXPECT_TRUE(failures.recent().empty());
    DestroyWindow(window);
    EXPECT_FALSE(setWindowLong(window, GWLP_USERDATA, 7, failures));
    EXPECT_EQ(failures.recent().size(), 1U);
}

// Over an image that asks for the hand the pointer is the hand; anywhere else in the window
// the window's own arrow stays.
TEST_F(WindowHostTest, TheHandPointerShowsOverTheImageThatAsksForItOnly) {
    TestForm form("Pointer", services_);
    form.item->setMousePointer(forms::MousePointer::Hand);
    HWND window = host_.windowOf(form);
    form.show();
    host_.sync();
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window, &r));
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    // Under Wine a move of the pointer goes through the X server, and a motion still queued
    // there can move it back; the host asks where the pointer is, so the answer counts only
    // when the pointer stayed put around it.
    const auto at = [](LONG x, LONG y) {
        POINT now{};
        return GetCursorPos(&now) && now.x == x && now.y == y;
    };
    const auto pointAt = [&](int x, int y) {
        LRESULT answer = FALSE;
        for (int attempt = 0; attempt < 50; ++attempt) {
            SetCursorPos(r.left + x, r.top + y);
            pump(5);
            if (!at(r.left + x, r.top + y)) {
                continue;
            }
            SetCursor(arrow);
            answer = SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            if (at(r.left + x, r.top + y)) {
                break;
            }
        }
        return answer;
    };
    const int inside = twipsToPixels(150 + 240, dpi_);
    EXPECT_EQ(pointAt(inside, inside), TRUE);
    EXPECT_EQ(GetCursor(), hand);
    const int beside = twipsToPixels(150 + 480 + 150, dpi_);
    pointAt(beside, inside);
    EXPECT_EQ(GetCursor(), arrow);
    // Once the image no longer asks, the hand is gone there too.
    form.item->setMousePointer(forms::MousePointer::Default);
    pointAt(inside, inside);
    EXPECT_EQ(GetCursor(), arrow);
}

// A dialog opened a second time comes forward from behind other windows; a request made
// before the window first showed takes nothing from a borderless window.
TEST_F(WindowHostTest, ABringToFrontRequestActivatesTheWindow) {
    TestForm about("FrontAbout", services_);
    about.setStyle(forms::FormStyle::Dialog);
    about.bringToFront();
    TestForm other("FrontOther", services_);
    other.setStyle(forms::FormStyle::Dialog);
    HWND aboutWindow = host_.windowOf(about);
    HWND otherWindow = host_.windowOf(other);
    about.show();
    host_.sync();
    other.show();
    host_.sync();
    pump(50);
    ASSERT_EQ(GetForegroundWindow(), otherWindow);
    about.bringToFront();
    host_.sync();
    pump(50);
    EXPECT_EQ(GetForegroundWindow(), aboutWindow);

    TestForm bar("FrontBar", services_);
    bar.bringToFront();
    bar.show();
    host_.sync();
    pump(50);
    EXPECT_EQ(GetForegroundWindow(), aboutWindow);  // the borderless window took nothing
}

}  // namespace
}  // namespace quorvel::platform::win32

#endif  // _WIN32
