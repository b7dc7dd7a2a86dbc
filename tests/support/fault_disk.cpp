#include "support/fault_disk.h"

#include <algorithm>
#include <utility>

namespace quorvel::testing {

namespace {

constexpr long kPathNotFound = 3;

platform::Error errorOf(long code) {
    switch (code) {
        case FaultDisk::kDiskFull:
            return {code, "ディスクの空き領域が不足しています。"};
        case FaultDisk::kAccessDenied:
            return {code, "アクセスが拒否されました。"};
        case FaultDisk::kSharingViolation:
            return {code, "ファイルは別のプロセスが使用中です。"};
        case FaultDisk::kFileNotFound:
            return {code, "ファイルが見つかりません。"};
        case kPathNotFound:
            return {code, "指定されたパスが見つかりません。"};
        default:
            return {code, "デバイスの準備ができていません。"};
    }
}

std::string parentOf(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut == 0 ? 1 : cut);
}

}  // namespace

std::string FaultDisk::normal(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) {
        p.pop_back();
    }
    return p;
}

int FaultDisk::nodeOf(const std::string& path) const {
    const auto it = names_.find(normal(path));
    return it == names_.end() ? -1 : it->second;
}

std::optional<platform::Error> FaultDisk::step(const std::string& what) {
    ++steps_;
    journal_.push_back(std::to_string(steps_) + " " + what);
    if (!powerCut_ && cutAt_ && steps_ >= *cutAt_) {
        powerCut_ = true;
        journal_.back() += " (power cut)";
    }
    if (powerCut_) {
        return errorOf(kDeviceGone);
    }
    if (const auto it = failures_.find(steps_); it != failures_.end()) {
        journal_.back() += " (fails " + std::to_string(it->second) + ")";
        return errorOf(it->second);
    }
    return std::nullopt;
}

void FaultDisk::rename(const std::string& path, int node) {
    if (node < 0) {
        names_.erase(path);
    } else {
        names_[path] = node;
    }
    pending_.push_back({path, node, {}});
}

void FaultDisk::apply(const NameChange& change) {
    if (!change.renamedFrom.empty()) {
        onDisk_.erase(change.renamedFrom);
    }
    if (change.node < 0) {
        onDisk_.erase(change.path);
    } else {
        onDisk_[change.path] = change.node;
    }
}

bool FaultDisk::directoryExists(const std::string& path) {
    return !powerCut_ && folders_.count(normal(path)) != 0;
}

platform::Status FaultDisk::createDirectory(const std::string& path) {
    if (auto refused = step("createDirectory " + path)) {
        return *refused;
    }
    addDirectory(path);
    return platform::success();
}

platform::Status FaultDisk::ensureFile(const std::string& path) {
    if (auto refused = step("ensureFile " + path)) {
        return *refused;
    }
    const std::string p = normal(path);
    if (names_.count(p) != 0) {
        return platform::success();
    }
    if (folders_.count(parentOf(p)) == 0) {
        return errorOf(kPathNotFound);
    }
    nodes_.push_back({});
    rename(p, static_cast<int>(nodes_.size()) - 1);
    return platform::success();
}

platform::Result<std::uint64_t> FaultDisk::fileSize(const std::string& path) {
    if (auto refused = step("fileSize " + path)) {
        return *refused;
    }
    const int node = nodeOf(path);
    if (node < 0) {
        return errorOf(kFileNotFound);
    }
    return static_cast<std::uint64_t>(nodes_[node].data.size());
}

platform::Result<std::string> FaultDisk::readAt(const std::string& path, std::uint64_t offset,
                                                std::size_t length) {
    if (auto refused = step("readAt " + path)) {
        return *refused;
    }
    const int node = nodeOf(path);
    if (node < 0) {
        return errorOf(kFileNotFound);
    }
    const std::string& data = nodes_[node].data;
    if (offset >= data.size()) {
        return std::string();
    }
    const auto at = static_cast<std::size_t>(offset);
    return data.substr(at, std::min(length, data.size() - at));
}

platform::Status FaultDisk::replaceFile(const std::string& path, const std::string& bytes) {
    return platform::native::replaceAtomically(*this, normal(path), bytes);
}

platform::Result<std::string> FaultDisk::createTemporary(const std::string& target) {
    const std::string temp = target + ".tmp" + std::to_string(++temporaries_);
    if (auto refused = step("createTemporary " + temp)) {
        return *refused;
    }
    if (folders_.count(parentOf(target)) == 0) {
        return errorOf(kPathNotFound);
    }
    nodes_.push_back({});
    open_ = static_cast<int>(nodes_.size()) - 1;
    rename(temp, open_);
    return temp;
}

platform::Status FaultDisk::write(std::string_view bytes) {
    if (auto refused = step("write " + std::to_string(bytes.size()))) {
        return *refused;
    }
    nodes_.at(static_cast<std::size_t>(open_)).data.append(bytes);
    return platform::success();
}

platform::Status FaultDisk::flush() {
    if (auto refused = step("flush")) {
        return *refused;
    }
    Node& node = nodes_.at(static_cast<std::size_t>(open_));
    node.durable = node.data;
    return platform::success();
}

platform::Status FaultDisk::close() {
    if (auto refused = step("close")) {
        return *refused;
    }
    open_ = -1;
    return platform::success();
}

platform::Status FaultDisk::moveOver(const std::string& temporary, const std::string& target) {
    if (auto refused = step("moveOver " + temporary + " " + target)) {
        return *refused;
    }
    const int node = nodeOf(temporary);
    if (node < 0) {
        return errorOf(kFileNotFound);
    }
    // One change in the journal for both names: the rename is atomic on the disk as well.
    names_.erase(normal(temporary));
    names_[normal(target)] = node;
    pending_.push_back({normal(target), node, normal(temporary)});
    return platform::success();
}

void FaultDisk::flushFolderOf(const std::string& target) noexcept {
    if (step("flushFolder " + parentOf(target))) {
        return;
    }
    for (const NameChange& change : pending_) {
        apply(change);
    }
    pending_.clear();
}

void FaultDisk::discard(const std::string& temporary) noexcept {
    open_ = -1;
    if (step("discard " + temporary)) {
        return;
    }
    if (names_.count(normal(temporary)) != 0) {
        rename(normal(temporary), -1);
    }
}

void FaultDisk::addDirectory(const std::string& path) {
    for (std::string p = normal(path); !p.empty(); p = parentOf(p)) {
        folders_.insert(p);
        if (parentOf(p) == p) {
            break;
        }
    }
}

void FaultDisk::addFile(const std::string& path, const std::string& bytes) {
    const std::string p = normal(path);
    addDirectory(parentOf(p));
    nodes_.push_back({bytes, bytes});
    const int node = static_cast<int>(nodes_.size()) - 1;
    names_[p] = node;
    onDisk_[p] = node;
}

std::optional<std::string> FaultDisk::fileBytes(const std::string& path) const {
    const int node = nodeOf(path);
    if (node < 0) {
        return std::nullopt;
    }
    return nodes_[static_cast<std::size_t>(node)].data;
}

std::vector<std::string> FaultDisk::fileNames() const {
    std::vector<std::string> names;
    for (const auto& [name, node] : names_) {
        names.push_back(name);
    }
    return names;
}

void FaultDisk::sync() {
    for (Node& node : nodes_) {
        node.durable = node.data;
    }
    onDisk_ = names_;
    pending_.clear();
}

void FaultDisk::failAt(int step, long code) {
    failures_[step] = code;
}

void FaultDisk::cutPowerAt(int step) {
    cutAt_ = step;
}

std::string FaultDisk::afterPowerCut(const Node& node) {
    if (node.data == node.durable) {
        return node.durable;
    }
    switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
        case 0:
            return node.durable;
        case 1: {
            const auto length =
                std::uniform_int_distribution<std::size_t>(0, node.data.size())(random_);
            return node.data.substr(0, length);
        }
        case 2:
            return node.data;
        default: {
            std::string torn = node.data;
            if (!torn.empty()) {
                const auto at =
                    std::uniform_int_distribution<std::size_t>(0, torn.size() - 1)(random_);
                const std::size_t block = std::min<std::size_t>(512, torn.size() - at);
                std::fill_n(torn.begin() + static_cast<std::ptrdiff_t>(at), block, '\0');
            }
            return torn;
        }
    }
}

void FaultDisk::powerOn() {
    if (powerCut_) {
        // The journal had written out some of the name changes, in order.
        const auto made = std::uniform_int_distribution<std::size_t>(0, pending_.size())(random_);
        for (std::size_t i = 0; i < made; ++i) {
            apply(pending_[i]);
        }
        pending_.clear();
        for (Node& node : nodes_) {
            node.durable = afterPowerCut(node);
            node.data = node.durable;
        }
        names_ = onDisk_;
    } else {
        // The program ended on its own: the system writes back what it holds.
        sync();
    }
    open_ = -1;
    failures_.clear();
    cutAt_.reset();
    powerCut_ = false;
}

}  // namespace quorvel::testing
