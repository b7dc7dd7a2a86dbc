// The program's entry: builds the real ports, starts the bar and runs the message loop.
#include <string>

#include "bar/dock.h"
#include "ids.h"
#include "platform/native/native_file_system.h"
#include "platform/win32/cleanup.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/folders.h"
#include "platform/win32/handle_waits.h"
#include "platform/win32/handles.h"
#include "platform/win32/identity.h"
#include "platform/win32/last_resort.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/pictures.h"
#include "platform/win32/process.h"
#include "platform/win32/safe_loading.h"
#include "platform/win32/screen.h"
#include "platform/win32/shell.h"
#include "platform/win32/single_instance.h"
#include "platform/win32/strconv.h"
#include "platform/win32/timer_service.h"
#include "platform/win32/window_host.h"
#include "program/program.h"
#include "window_api/messages.h"

namespace {

using namespace quorvel;
namespace w = platform::win32;

// Explorer broadcasts this when it (re)starts its taskbar; a taskbar the bar hid comes back
// visible, so the bar applies its own setting again.
constexpr wchar_t kTaskbarCreated[] = L"TaskbarCreated";

int run(HINSTANCE instance, w::FailureLog& failures, w::Win32Screen& screen,
        w::Win32Dialogs& dialogs, w::Win32WindowHost& host) {
    // Every event the host or the timers dispatch ends with the after-event step, wherever it
    // is dispatched: the main loop, a message box's loop, a popup menu's or a dialog's. It
    // outlives the program, whose windows may still send messages while they are destroyed.
    platform::EventDispatcher events;
    w::Win32TimerService timers(instance, failures);
    w::Win32Identity identity;
    platform::native::NativeFileSystem files;
    w::Win32SingleInstance singleInstance;
    w::WicPictures pictures(failures);
    w::Win32Process process;
    const auto windowOf = [&host](const forms::Form& form) { return host.windowOf(form); };
    w::HandleWaits waits;
    w::Win32Shell shell(instance, windowOf, waits, failures);
    shell.setDispatcher(&events);
    w::Win32Folders folders;
    w::Win32Cleanup cleanup(windowOf, failures);
    platform::Ports ports{identity, files,   singleInstance, screen, dialogs, folders,
                          pictures, process, host,           timers, shell,   cleanup};
    program::Program program(ports);

    events.bringUpToDate = [&host] { host.sync(); };
    events.afterOutermost = [&program] { program.afterEvent(); };
    host.setDispatcher(&events);
    struct Detach {
        w::Win32WindowHost& host;
        ~Detach() { host.setDispatcher(nullptr); }
    } detach{host};
    timers.setDispatcher(&events);
    host.onCloseRequest = [&program](forms::Form& form) {
        // Only the bar ends the program; the small popups are not closed on their own.
        if (&form == &program.dock()) {
            program.unload();
            PostQuitMessage(0);
        }
    };
    host.onBroadcast(RegisterWindowMessageW(kTaskbarCreated),
                     [&program] { program.shellRestarted(); });
    host.onSessionEnding = [&program] { program.sessionEnding(); };
    host.onSessionContinues = [&program] { program.sessionContinues(); };
    host.onSessionEnded = [&program] {
        // The system ends the process once this returns; the taskbar is back by then.
        program.sessionEnded();
        PostQuitMessage(0);
    };
    host.onScreenChanged = [&program] { program.screenChanged(); };

    events.dispatch([&program] { program.start(); });

    const int code = w::runMessageLoop(host, waits, failures);
    // However the loop came to its end (a quit message from anywhere), the taskbar comes back.
    program.unload();
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // Before anything loads a library or can fail; the log itself loads nothing.
    w::FailureLog failures;
    w::restrictLibrarySearch(failures);
    const w::PinnedSystemLibraries pinned(failures);
    w::installLastResort();
    // The bar's windows are tool windows: no taskbar button, no Alt+Tab entry, so nothing
    // would show a class icon. The program icon lives in the file's resources; loading it here
    // would only cost start-up time (tens of milliseconds under Wine), so the host loads it
    // when the first dialog window (which has a title bar and a taskbar button) appears.
    w::Win32Screen screen(failures);
    w::Win32WindowHost host(instance, failures);
    host.setDialogIcon(IDI_QUORVEL);
    w::Win32Dialogs dialogs([&host] { return host.mainWindow(); }, failures);
    // An unexpected failure ends the program like any run-time error, but never leaves the
    // taskbar hidden behind it.
    return w::runGuarded([&] { return run(instance, failures, screen, dialogs, host); },
                         [&dialogs](const std::string& what) {
                             dialogs.messageBox(
                                 what.empty() ? std::string(messages::kUnexpectedFailure) : what,
                                 platform::MessageButtons::Ok);
                         });
}
