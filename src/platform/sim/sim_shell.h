#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"
#include "platform/sim/call_log.h"

namespace quorvel::platform::sim {

// A desktop shell that records every request with its exact arguments and answers from what
// the test set up: which programs exist, which launches fail, what the Recycle Bin holds.
class SimShell final : public Shell {
public:
    explicit SimShell(CallLog& log) : log_(log) {}

    Status execute(const ShellRequest& request) override;
    std::optional<std::string> findProgram(const std::string& name) override;
    Status startProgram(const std::string& program, const std::string& arguments) override;
    std::string systemFolder() override { return system; }
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

    // The icon file's bytes the shell gives for an item: "icon of <item>" (or "icon of
    // address <item>").
    [[nodiscard]] static std::string iconBytesOf(const std::string& item, bool address);

    // --- set up by the test ---
    std::string system = "C:\\Windows\\System32";
    // What findProgram answers: the name as the program gives it, and the file it names.
    std::map<std::string, std::string> programs;
    // Files whose execute or start fails (as a missing association or a bad program would).
    std::set<std::string> failing;
    bool propertiesFail = false;
    // Items in the Recycle Bin; nullopt: the query fails.
    std::optional<std::int64_t> binItems = 0;
    std::uint32_t binQueryCost = 300;  // microseconds per query
    bool canWatch = true;              // whether the system reports changes of the bin
    // What the person answers when the system asks before emptying the bin.
    bool confirmEmpty = true;
    bool hasShellWindow = true;      // false as under Wine: no window to ask for shut-down options
    std::set<std::string> iconless;  // items the shell has no picture for
    // The Startup folder's shortcut to the program, by its working folder; none when absent.
    std::optional<std::string> startupShortcut;
    bool startupFolderFails = false;  // making or removing the shortcut fails

    // Whether a program asked to hear of the bin's changes and has not taken it back.
    [[nodiscard]] bool watching() const noexcept { return static_cast<bool>(watcher_); }

    // The system reports a change of the Recycle Bin (run it inside an event, as the host
    // delivers it). Nothing happens when the program watches nothing.
    void binChanged() const {
        if (watcher_) {
            watcher_();
        }
    }

    // --- what the program asked ---
    struct Started {
        std::string program;
        std::string arguments;
        friend bool operator==(const Started&, const Started&) = default;
    };
    std::vector<ShellRequest> executed;
    std::vector<Started> started;
    std::vector<std::string> properties;
    std::vector<std::vector<std::string>> recycled;
    int binQueries = 0;
    std::vector<std::string> binEmptyOwners;  // each emptying, by the owner's name
    int shutDownRequests = 0;                 // close requests that reached the shell window
    std::vector<std::string> iconRequests;

private:
    CallLog& log_;
    std::function<void()> watcher_;
};

}  // namespace quorvel::platform::sim
