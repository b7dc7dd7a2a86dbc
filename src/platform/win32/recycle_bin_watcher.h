#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_dispatcher.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_window.h"

namespace quorvel::platform::win32 {

// Watches the folders where the Recycle Bins keep their items and reports, on the user-
// interface thread, that a bin may have changed. The system signals a change-notification
// handle; a wait of the thread pool turns the signal into a message to a hidden window, so
// the report arrives like any other event, also inside a menu's or a message box's loop.
//
// The folders: on Windows each fixed drive's "\$Recycle.Bin\<user's SID>" (or the bin's root
// while the user's own folder does not exist yet); under Wine the XDG trash that Wine's shell
// keeps the bin in ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash).
class RecycleBinWatcher {
public:
    // A failure of the program's handler is parked in `failures` for the message loop.
    RecycleBinWatcher(HINSTANCE instance, FailureLog& failures);
    ~RecycleBinWatcher();
    RecycleBinWatcher(const RecycleBinWatcher&) = delete;
    RecycleBinWatcher& operator=(const RecycleBinWatcher&) = delete;

    void setDispatcher(EventDispatcher* dispatcher) noexcept { dispatcher_ = dispatcher; }
    // Starts watching; false when no bin folder could be watched.
    bool start(std::function<void()> changed);
    [[nodiscard]] const std::vector<std::wstring>& folders() const noexcept { return folders_; }
    // The folders this system keeps its Recycle Bins in, as far as they exist.
    [[nodiscard]] std::vector<std::wstring> binFolders();

private:
    struct Watch;
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    static void CALLBACK signalled(void* context, BOOLEAN timedOut);
    void rearm(Watch& watch);
    void changed(std::size_t index);

    HINSTANCE instance_;
    MessageWindow window_;
    std::vector<std::unique_ptr<Watch>> watches_;
    std::vector<std::wstring> folders_;
    std::function<void()> changed_;
    EventDispatcher* dispatcher_ = nullptr;
    FailureLog& failures_;
};

}  // namespace quorvel::platform::win32
