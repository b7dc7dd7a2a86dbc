#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/bin_folders.h"
#include "platform/event_dispatcher.h"
#include "platform/native/native_file_system.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handle_waits.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_window.h"

namespace quorvel::platform::win32 {

// Watches the folders where the Recycle Bins keep their items and reports, on the user-
// interface thread, that a bin may have changed. The system signals a change-notification
// handle, which the program's message loop waits on beside its messages (HandleWaits); a
// change made while a menu or a message box runs its own loop is reported when it ends.
//
// The folders: under Wine the XDG trash that Wine's shell keeps the bin in ($XDG_DATA_HOME/Trash,
// else ~/.local/share/Trash); on Windows, on every drive that can hold a bin, the folder that
// platform::binWatches chooses, chosen again whenever one of them changes (a bin folder made by
// a first delete is watched from then on). Drives attached or taken out while the bar runs are
// watched or dropped as the system announces them, and a drive asked to be taken out is let go
// of at once, so that no watch keeps it from being removed safely.
class RecycleBinWatcher {
public:
    // A failure of the program's handler is parked in `failures` for the message loop.
    RecycleBinWatcher(HINSTANCE instance, HandleWaits& waits, FailureLog& failures);
    ~RecycleBinWatcher();
    RecycleBinWatcher(const RecycleBinWatcher&) = delete;
    RecycleBinWatcher& operator=(const RecycleBinWatcher&) = delete;

    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }
    // Starts watching; false when no bin folder could be watched.
    bool start(std::function<void()> changed);

private:
    struct Watch;
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    // The drives as the system has them now, less those on their way out.
    [[nodiscard]] std::vector<BinDrive> drives() const;
    // Brings the watches in line with the drives and folders as they are now.
    void replan();
    void add(const BinWatch& what);
    void arm(Watch& watch);
    void signalledOn(std::uint64_t id);
    void deviceChanged(WPARAM event, LPARAM data);
    void report();

    HINSTANCE instance_;
    HandleWaits& waits_;
    MessageWindow window_;
    std::vector<std::unique_ptr<Watch>> watches_;
    std::uint64_t nextId_ = 1;
    bool wine_ = false;  // the XDG trash only, which no drive comes or goes with
    std::string userSid_;
    native::NativeFileSystem files_;
    std::function<void()> changed_;
    EventDispatcher* dispatcher_ = nullptr;
    FailureLog& failures_;
};

}  // namespace quorvel::platform::win32
