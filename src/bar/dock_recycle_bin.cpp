#include <algorithm>
#include <cstdint>
#include <string>

#include "bar/dock.h"

namespace quorvel::bar {

namespace {

// The system walks the whole bin to count it, so a query costs more the fuller the bin. The
// regular poll may take about a hundredth of a core: after a query of c microseconds the next
// regular one waits 100 c. Where the system reports the bin's changes the poll is only a safety
// net and takes a thousandth (1,000 c): with a thousand items in the bin, a query every 100 s
// under Wine. A change reported right after a query waits out a rest of 10 c, unless more
// changes follow (see binChanged).
constexpr std::uint64_t kPollShare = 100;
constexpr std::uint64_t kWatchedPollShare = 1000;
constexpr std::uint64_t kBurstShare = 10;

std::uint32_t millisecondsFor(std::uint64_t microseconds) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(microseconds / 1000, UINT32_MAX));
}

}  // namespace

std::uint32_t Dock::binPollInterval() const noexcept {
    const std::uint32_t floor = binWatched_ ? kWatchedBinPollMs : kBinPollMs;
    const std::uint64_t share = binWatched_ ? kWatchedPollShare : kPollShare;
    const std::uint32_t slowest = binWatched_ ? kSlowestWatchedBinPollMs : kSlowestBinPollMs;
    const std::uint32_t budgeted = millisecondsFor(std::uint64_t{binQueryCostUs_} * share);
    return std::min(std::max(floor, budgeted), slowest);
}

void Dock::watchRecycleBin() {
    binWatched_ = ports().shell.watchRecycleBin([this] { binChanged(); });
}

void Dock::tmeRBin_Timer() {
    if (binPhase_ == BinPhase::Resting && !binChangePending_) {
        // The rest after the last query is over and nothing was reported meanwhile: the next
        // query waits for the regular poll.
        binPhase_ = BinPhase::Idle;
        const std::uint32_t rest = millisecondsFor(std::uint64_t{binQueryCostUs_} * kBurstShare);
        const std::uint32_t interval = binPollInterval();
        if (interval > std::max(rest, kBinChangeDelayMs)) {
            tmeRBin_->start(interval - std::max(rest, kBinChangeDelayMs));
            return;
        }
    }
    queryRecycleBin();
}

void Dock::queryRecycleBin() {
    if (auto state = ports().shell.queryRecycleBin()) {
        binQueryCostUs_ = state.value().costMicroseconds;
        txtRBin_->setText(std::to_string(state.value().items));
    }
    // A failed query leaves the count and the pictures as they were; the next one tries again.
    binChangePending_ = false;
    binPhase_ = BinPhase::Resting;
    const std::uint32_t rest = millisecondsFor(std::uint64_t{binQueryCostUs_} * kBurstShare);
    tmeRBin_->start(std::min(std::max(rest, kBinChangeDelayMs), binPollInterval()));
}

void Dock::binChanged() {
    binChangePending_ = true;
    if (binPhase_ == BinPhase::Idle) {
        binPhase_ = BinPhase::Soon;
        tmeRBin_->start(kBinChangeDelayMs);
        return;
    }
    if (binPhase_ == BinPhase::Soon) {
        return;  // a query is on its way
    }
    // Changes keep coming (a large delete or an empty under way): the bin is looked at again
    // once they have paused for a moment, not in the middle of them. The pause is no shorter
    // than a query, so that queries never take more than half of the time.
    const std::uint32_t cost = millisecondsFor(binQueryCostUs_);
    tmeRBin_->start(std::max(kBinQuietMs, cost));
}

void Dock::txtRBin_Change() {
    showBinPictures();
}

void Dock::showBinPictures() {
    const bool full = settings::numericValue(txtRBin_->text()) > 0;
    ImgRBinFll_->setVisible(full);
    RBFD_->setVisible(full);
    ImgRBinEmp_->setVisible(!full);
    RBED_->setVisible(!full);
}

// The bin acts on the press, not on a completed click.
void Dock::RecycleBin_MouseDown(std::string_view code, forms::MouseButton button) {
    if (button == forms::MouseButton::Left) {
        windows_.menu().showEntriesFor(window_api::MenuSource::RecycleBin);
        model_.Text1 = std::string(code);
        model_.txtCount = "0";
        BeginClickBlink();
        shellOpen(std::string(platform::kRecycleBinPath));
        return;
    }
    pressOn(window_api::MenuSource::RecycleBin, button);
}

void Dock::RecycleBin_Drop(const std::vector<std::string>& files) {
    // One operation for all the files, in the order they were dropped: one confirmation.
    static_cast<void>(ports().shell.recycle(this, files));
    // The bin is looked at right away rather than at the next poll.
    binChanged();
}

}  // namespace quorvel::bar
