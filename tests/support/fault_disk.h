#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/native/atomic_replace.h"

namespace quorvel::testing {

// A disk in memory that tells apart what a program has written from what has reached the
// disk itself, and that fails, or loses its power, at any one step of the program's file work.
//
// Every call that reaches the disk is a step, counted from 1: the file system's calls (making
// and sizing files, reading) and the calls an atomic replace is made of (making the temporary
// file, each write, the flush, the close, the rename, the folder flush, the clean-up); replaces
// run the same algorithm as the real disks.
//
// What reaches the disk: a file's bytes once it has been flushed; the making, renaming and
// removing of files in the order they were asked for, all of them once the folder has been
// flushed (or the system wrote them back on its own, sync()). After a power cut, a file that
// was written but not flushed comes back with any of: its last flushed bytes, a prefix of what
// was written, all of it, or what was written with a block of zeros in it; and of the name
// changes not yet on the disk, the first few (any number) made it.
class FaultDisk final : public platform::FileSystem, private platform::native::ReplaceSteps {
public:
    static constexpr long kDiskFull = 112;
    static constexpr long kAccessDenied = 5;
    static constexpr long kSharingViolation = 32;
    static constexpr long kFileNotFound = 2;
    static constexpr long kDeviceGone = 1167;  // any call after the power went

    explicit FaultDisk(std::uint64_t seed = 1) : random_(seed) {}

    // --- the file system the program sees ---
    bool directoryExists(const std::string& path) override;
    platform::Status createDirectory(const std::string& path) override;
    platform::Status ensureFile(const std::string& path) override;
    platform::Result<std::uint64_t> fileSize(const std::string& path) override;
    platform::Result<std::string> readAt(const std::string& path, std::uint64_t offset,
                                         std::size_t length) override;
    platform::Status replaceFile(const std::string& path, const std::string& bytes) override;

    // --- arranging and looking; these are not steps and are on the disk at once ---
    void addDirectory(const std::string& path);
    void addFile(const std::string& path, const std::string& bytes);
    // The file's bytes as a reader sees them now; nullopt when there is no such file.
    [[nodiscard]] std::optional<std::string> fileBytes(const std::string& path) const;
    // Every file name, sorted.
    [[nodiscard]] std::vector<std::string> fileNames() const;
    // The system writes back everything it holds: afterwards a power cut loses nothing.
    void sync();

    // --- faults ---
    [[nodiscard]] int steps() const noexcept { return steps_; }
    // The step numbered `step` fails with `code` (calls that cannot report a failure, the
    // folder flush and the clean-up, then do nothing).
    void failAt(int step, long code);
    // The power goes just before the step numbered `step`: from then on every call fails and
    // nothing more reaches the disk.
    void cutPowerAt(int step);
    [[nodiscard]] bool powerCut() const noexcept { return powerCut_; }
    // The disk as it comes back after the power cut (or as it is, when there was none): only
    // what had reached it, with a random outcome for what had not.
    void powerOn();

    // The calls a replace is made of, for a test that runs them in an order of its own.
    [[nodiscard]] platform::native::ReplaceSteps& replaceSteps() noexcept { return *this; }

    // One line per step taken: "7 write UsrData/taro sl.dat.tmp3 4096", for a failure report.
    [[nodiscard]] const std::vector<std::string>& journal() const noexcept { return journal_; }

private:
    struct Node {
        std::string data;     // what readers see
        std::string durable;  // what is on the disk itself
    };
    // A change of names not yet on the disk: `path` now names node `node` (-1: nothing), and
    // a rename takes `renamedFrom` away in the same change.
    struct NameChange {
        std::string path;
        int node;
        std::string renamedFrom;
    };

    // ReplaceSteps
    platform::Result<std::string> createTemporary(const std::string& target) override;
    platform::Status write(std::string_view bytes) override;
    platform::Status flush() override;
    platform::Status close() override;
    platform::Status moveOver(const std::string& temporary, const std::string& target) override;
    void flushFolderOf(const std::string& target) noexcept override;
    void discard(const std::string& temporary) noexcept override;

    // Counts a step and says whether it may go ahead; an injected failure or a dead disk
    // comes back as the error to return.
    [[nodiscard]] std::optional<platform::Error> step(const std::string& what);
    void rename(const std::string& path, int node);
    void apply(const NameChange& change);
    [[nodiscard]] static std::string normal(const std::string& path);
    [[nodiscard]] int nodeOf(const std::string& path) const;
    [[nodiscard]] std::string afterPowerCut(const Node& node);

    std::mt19937_64 random_;
    std::set<std::string> folders_;
    std::vector<Node> nodes_;
    std::map<std::string, int> names_;   // as readers see them
    std::map<std::string, int> onDisk_;  // as the disk holds them
    std::vector<NameChange> pending_;    // in the order they were made
    int open_ = -1;                      // the temporary file being written
    int temporaries_ = 0;
    int steps_ = 0;
    std::map<int, long> failures_;
    std::optional<int> cutAt_;
    bool powerCut_ = false;
    std::vector<std::string> journal_;
};

}  // namespace quorvel::testing
