#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/win32/com_library.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/recycle_bin_watcher.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// The desktop shell through shell32 and kernel32, with Unicode paths all the way. Windows of
// the program are found through `windowOf`, the host's map from forms to their windows.
class Win32Shell final : public Shell {
public:
    // The Recycle Bin's changes are waited on by the message loop that runs `waits`.
    Win32Shell(HINSTANCE instance, std::function<HWND(const forms::Form&)> windowOf,
               HandleWaits& waits, FailureLog& failures);

    Status execute(const ShellRequest& request) override;
    std::optional<std::string> findProgram(const std::string& name) override;
    Status startProgram(const std::string& program, const std::string& arguments) override;
    std::string systemFolder() override;
    Status showProperties(const forms::Form* owner, const std::string& item) override;
    Status recycle(const forms::Form* owner, const std::vector<std::string>& paths) override;
    Result<RecycleBinState> queryRecycleBin() override;
    bool watchRecycleBin(std::function<void()> changed) override;
    Status emptyRecycleBin(const forms::Form* owner) override;
    Result<std::string> iconOf(const std::string& item, bool address) override;
    bool startsWithWindows() override;
    Status startWithWindows(const std::string& workingFolder) override;
    Status stopStartingWithWindows() override;
    bool requestShutDownOptions() override;

    // The window taken for the shell's own: GetShellWindow's, unless a test stands one in.
    void setShellWindowFinder(std::function<HWND()> finder) { shellWindow_ = std::move(finder); }

    // Reported changes of the bin run through this, with the after-event step.
    void setDispatcher(EventDispatcher* dispatcher) noexcept { watcher_.setDispatcher(dispatcher); }
    [[nodiscard]] const RecycleBinWatcher& watcher() const noexcept { return watcher_; }

private:
    HWND ownerWindow(const forms::Form* owner) const;
    void ensureCom();

    std::function<HWND(const forms::Form&)> windowOf_;
    std::function<HWND()> shellWindow_ = [] { return GetShellWindow(); };
    FailureLog& failures_;
    std::optional<ComLibrary> com_;
    RecycleBinWatcher watcher_;
};

// The working directory a shell start can use: a folder as given; for a document's own path
// (links pass their target as the directory) the document's folder; nothing for anything else
// (an address, a missing path). A directory that is no folder would make the start fail.
[[nodiscard]] std::wstring usableDirectory(const std::wstring& directory);

// The paths a drop may send to the Recycle Bin, as SHFileOperation's list wants them: absolute
// paths of files or folders that exist, never the root of a drive or a share (Wine would
// recycle a whole drive). Each ends in a NUL; the list ends in a second one. Empty when none
// is left.
[[nodiscard]] std::wstring recyclableList(const std::vector<std::string>& paths);

}  // namespace quorvel::platform::win32
