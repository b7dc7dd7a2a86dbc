#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "menu/frm_menu.h"
#include "window_api/messages.h"

namespace quorvel::menu {

namespace {

std::string lines(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        if (!text.empty()) {
            text += messages::kLineBreak;
        }
        text += part;
    }
    return text;
}

// A COM result as people look it up: 0x80004001.
std::string hexResult(std::int32_t result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

std::string failure(std::string_view headline, const std::string& number) {
    return lines(
        {std::string(headline) + number, messages::kCleanupError, messages::kDeleteThroughOptions});
}

}  // namespace

// The notice on screen for as long as a command works; it is gone before any message that
// follows, and on every way out of the command, so no message ever leaves it standing.
class FrmMenu::Notice {
public:
    explicit Notice(FrmMenu& menu) : menu_(menu) { menu_.showNotice(); }
    ~Notice() {
        try {
            close();
        } catch (...) {  // NOLINT(bugprone-empty-catch): already on the way out of a failure
        }
    }
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

    void close() {
        if (open_) {
            open_ = false;
            menu_.closeNotice();
        }
    }

private:
    FrmMenu& menu_;
    bool open_ = true;
};

void FrmMenu::wireCleanup() {
    menuItem("TIFDel").onClick = [this] { TIFDel_Click(); };
    menuItem("DelIHstry").onClick = [this] { DelIHstry_Click(); };
    menuItem("FleDel").onClick = [this] { FleDel_Click(); };
    ClipBoadClr_->onClick = [this] { ClipBoadClr_Click(); };
    Emp_->onClick = [this] { Emp_Click(); };
    cmdRBinEmp_->onClick = [this] { cmdRBinEmp_Click(); };
}

void FrmMenu::showNotice() {
    setStyle(forms::FormStyle::Dialog);
    setCaption(std::string(messages::kDeletingNotice));
    setMenuBar(true);
    setWidth(kNoticeWidth);
    // Centred as a whole, title bar and menu bar included.
    const forms::Point at = forms::centredIn(windows_.ports().screen.bounds(), windowSize());
    setTop(at.y);
    setLeft(at.x);
    show();
    // The command works on without returning to the message loop: the notice must be drawn
    // now or it would never be seen.
    refresh();
}

void FrmMenu::closeNotice() {
    // Closing the notice unloads the menu's window; the next menu starts afresh.
    windows_.unloadMenu();
    refresh();
}

void FrmMenu::message(const std::string& text) {
    windows_.ports().dialogs.messageBox(text, platform::MessageButtons::Ok);
}

void FrmMenu::TIFDel_Click() {
    platform::Cleanup& cleanup = windows_.ports().cleanup;
    message(lines({messages::kCacheCleanupIntro, messages::kCloseTheBrowsers,
                   messages::kCloseTheBrowsersEnd}));
    Notice notice(*this);
    const platform::UrlCacheWalk walk = cleanup.walkUrlCache([&cleanup](const std::string& url) {
        // An entry another program has in use stays; the rest of the cache goes all the same.
        static_cast<void>(cleanup.deleteUrlCacheEntry(url));
    });
    notice.close();
    switch (walk.end) {
        case platform::UrlCacheWalk::End::Finished:
            message(std::string(messages::kDeleted));
            break;
        case platform::UrlCacheWalk::End::FirstFailed:
            message(failure(messages::kCacheWalkNotStarted, std::to_string(walk.error)));
            break;
        case platform::UrlCacheWalk::End::NextFailed:
            message(failure(messages::kCacheWalkStopped, std::to_string(walk.error)));
            break;
    }
}

void FrmMenu::DelIHstry_Click() {
    platform::Cleanup& cleanup = windows_.ports().cleanup;
    message(lines({messages::kHistoryCleanupIntro, messages::kCloseTheBrowsers,
                   messages::kCloseTheBrowsersEnd}));
    Notice notice(*this);
    const platform::HistoryClearing cleared = cleanup.clearUrlHistory();
    notice.close();
    const std::string number = hexResult(cleared.result);
    switch (cleared.outcome) {
        case platform::HistoryClearing::Outcome::Cleared:
            message(std::string(messages::kDeleted));
            break;
        case platform::HistoryClearing::Outcome::NotCreated:
            message(failure(messages::kHistoryNotCreated, number));
            break;
        case platform::HistoryClearing::Outcome::NotCleared:
            if (cleared.result == platform::kNotImplemented) {
                message(lines({messages::kHistoryNotDeleted, messages::kNotImplementedHere,
                               std::string(messages::kHistoryNotCleared) + number}));
            } else {
                message(failure(messages::kHistoryNotCleared, number));
            }
            break;
    }
}

void FrmMenu::FleDel_Click() {
    Notice notice(*this);
    windows_.ports().cleanup.clearRecentDocuments();
    notice.close();
    message(std::string(messages::kDeleted));
}

void FrmMenu::ClipBoadClr_Click() {
    // A clipboard another program keeps open is left as it is, without a word.
    static_cast<void>(windows_.ports().cleanup.clearClipboard(this));
}

void FrmMenu::Emp_Click() {
    cmdRBinEmp_->press();
}

void FrmMenu::cmdRBinEmp_Click() {
    platform::Shell& shell = windows_.ports().shell;
    // The person may say no to the system's question; either way the item shows what the bin
    // now holds, asked afresh, and not what it was meant to hold.
    static_cast<void>(shell.emptyRecycleBin(this));
    if (auto state = shell.queryRecycleBin()) {
        windows_.bar().setBinCount(state.value().items);
    }
    windows_.unloadMenu();
}

}  // namespace quorvel::menu
