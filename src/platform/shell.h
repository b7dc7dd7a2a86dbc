#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "platform/result.h"

namespace quorvel::platform {

// The show state of a started program's window: normal, and it takes the focus.
inline constexpr int kShowNormal = 1;

// Shell namespace names of the folders that are no folders on disk.
inline constexpr std::string_view kMyComputerPath = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
inline constexpr std::string_view kRecycleBinPath = "::{645FF040-5081-101B-9F08-00AA002F954E}";

// What the desktop shell is asked to open, as ShellExecute takes it. All text is UTF-8.
struct ShellRequest {
    const forms::Form* owner = nullptr;  // the window the shell's own messages belong to; or none
    std::string verb;                    // empty: the item's default verb
    std::string file;
    std::string parameters;
    std::string directory;  // the working directory; empty: none
    int show = kShowNormal;

    friend bool operator==(const ShellRequest&, const ShellRequest&) = default;
};

// What a query of the Recycle Bins of all drives found.
struct RecycleBinState {
    std::int64_t items = 0;
    std::int64_t bytes = 0;
    // How long the query took. The system walks the whole bin to answer, so the cost grows
    // with the number of items, and the bar asks less often the more a query costs.
    std::uint32_t costMicroseconds = 0;
};

// The desktop shell: opening documents, folders and addresses, starting programs, property
// sheets, and the Recycle Bin. Launches are fire-and-forget for the program (the shell shows
// its own errors); their Status is for the record and for the few callers that report.
class Shell {
public:
    virtual ~Shell() = default;

    // ShellExecute: opens `file` with the verb, in the given working directory.
    virtual Status execute(const ShellRequest& request) = 0;

    // The existing file (never a folder) the system would start for a program name: a path
    // as it stands (relative to the current directory), or a bare name along the program
    // search path; ".exe" is tried when the name has no extension. nullopt when none exists.
    [[nodiscard]] virtual std::optional<std::string> findProgram(const std::string& name) = 0;
    // Starts exactly `program` (a full path, never searched for) with the argument text, in a
    // normal window that takes the focus, in the bar's own working directory.
    virtual Status startProgram(const std::string& program, const std::string& arguments) = 0;
    // The system's own program folder ("C:\Windows\System32" on most machines, not all).
    [[nodiscard]] virtual std::string systemFolder() = 0;

    // The property sheet of a shell item (ShellExecuteEx with the "properties" verb, through
    // the item's ID list, without the shell's own error messages).
    virtual Status showProperties(const forms::Form* owner, const std::string& item) = 0;

    // Moves files and folders to the Recycle Bin in one operation that can be undone; the
    // system confirms and shows progress as it sees fit, and warns before anything would be
    // deleted for good instead. Only absolute paths of existing files and folders are taken,
    // never the root of a drive or a share; the rest are left out (nothing left: no operation).
    virtual Status recycle(const forms::Form* owner, const std::vector<std::string>& paths) = 0;

    // The Recycle Bins of all drives together.
    [[nodiscard]] virtual Result<RecycleBinState> queryRecycleBin() = 0;
    // Empties the Recycle Bins of all drives. The system asks the person first, and shows its
    // progress and sound; an error when it did not empty them (the person said no, or it
    // failed).
    virtual Status emptyRecycleBin(const forms::Form* owner) = 0;
    // From now on calls `changed`, as an event of its own, whenever the system reports that a
    // Recycle Bin may have changed (a delete to it, a restore, an empty), by this program or
    // another. False when this system reports no such changes (then only asking tells). An
    // empty function ends the calls.
    virtual bool watchRecycleBin(std::function<void()> changed) = 0;

    // The picture the shell shows for a file or folder, or for an Internet shortcut to an
    // internet address (`address`), as the bytes of an icon file in the sizes a bar item is
    // drawn at. An error when the shell has no picture for it.
    [[nodiscard]] virtual Result<std::string> iconOf(const std::string& item, bool address) = 0;

    // The shortcut that starts this program when the user signs in: Quorvel.lnk in the user's
    // Startup folder.
    [[nodiscard]] virtual bool startsWithWindows() = 0;
    // Makes that shortcut (replacing one already there): this program's own file, started in
    // `workingFolder`.
    virtual Status startWithWindows(const std::string& workingFolder) = 0;
    // Takes it away; a shortcut that is not there is no failure.
    virtual Status stopStartingWithWindows() = 0;

    // Asks the desktop shell's own window, and no other window, to close: the shell answers
    // with the system's shut-down options. False when the system has no shell window (Wine's
    // desktop has none); then nothing is sent anywhere.
    virtual bool requestShutDownOptions() = 0;
};

}  // namespace quorvel::platform
