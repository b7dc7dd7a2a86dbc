#include "platform/win32/handle_waits.h"

#include <algorithm>
#include <utility>

namespace quorvel::platform::win32 {

HandleWaits::Registration::Registration(Registration&& other) noexcept
    : waits_(std::exchange(other.waits_, nullptr)), id_(std::exchange(other.id_, 0)) {}

HandleWaits::Registration& HandleWaits::Registration::operator=(Registration&& other) noexcept {
    if (this != &other) {
        if (waits_ != nullptr) {
            waits_->remove(id_);
        }
        waits_ = std::exchange(other.waits_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

HandleWaits::Registration::~Registration() {
    if (waits_ != nullptr) {
        waits_->remove(id_);
    }
}

HandleWaits::Registration HandleWaits::add(HANDLE handle, std::function<void()> signalled) {
    const std::uint64_t id = nextId_++;
    entries_.push_back(Entry{id, handle, std::move(signalled)});
    return Registration(this, id);
}

std::vector<HANDLE> HandleWaits::handles() const {
    // One slot of a wait is the message queue's.
    constexpr std::size_t kMost = MAXIMUM_WAIT_OBJECTS - 1;
    std::vector<HANDLE> handles;
    for (const Entry& entry : entries_) {
        if (handles.size() == kMost) {
            break;
        }
        handles.push_back(entry.handle);
    }
    return handles;
}

void HandleWaits::signalled(HANDLE handle) {
    const auto found = std::ranges::find(entries_, handle, &Entry::handle);
    if (found == entries_.end()) {
        return;
    }
    // The handler may add and drop waits, its own among them.
    const std::function<void()> run = found->signalled;
    if (run) {
        run();
    }
}

void HandleWaits::remove(std::uint64_t id) noexcept {
    std::erase_if(entries_, [id](const Entry& entry) { return entry.id == id; });
}

}  // namespace quorvel::platform::win32
