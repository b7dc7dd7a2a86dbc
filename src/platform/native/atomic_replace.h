#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace quorvel::platform::native {

// The system calls one atomic replace is made of. The real disks (POSIX, Win32) implement
// them with their own calls; the tests implement them on a disk that fails or "loses power"
// at any one of them, and run the very algorithm below against it.
class ReplaceSteps {
public:
    virtual ~ReplaceSteps() = default;
    // Makes a new, empty file beside `target` (same folder, so the final move is a rename on
    // one volume) under a name nobody else uses, and keeps it open for writing. Returns its
    // path.
    virtual Result<std::string> createTemporary(const std::string& target) = 0;
    // Appends to the open temporary file; all of `bytes` or an error.
    virtual Status write(std::string_view bytes) = 0;
    // Puts everything written so far on the disk itself, not just in the system's cache.
    virtual Status flush() = 0;
    // Closes the temporary file (a close can report a late write error).
    virtual Status close() = 0;
    // Renames the temporary file over the target in one step: anyone looking sees either the
    // old file or the new one.
    virtual Status moveOver(const std::string& temporary, const std::string& target) = 0;
    // Makes the rename itself survive a power cut where the system needs to be told.
    virtual void flushFolderOf(const std::string& target) noexcept = 0;
    // Gives up on the temporary file: closes it if still open and deletes it.
    virtual void discard(const std::string& temporary) noexcept = 0;
};

// Bytes handed to one write: large enough that a settings file takes a few writes, small
// enough that a failure half way is a real case.
inline constexpr std::size_t kReplaceWriteChunk = 4096;

// Replaces the whole file at `target` with `bytes`: written to a temporary file beside it,
// flushed to the disk, closed, and only then renamed over the old file. Whatever step fails
// (or wherever the power goes), the target holds either all of its old bytes or all of the
// new ones; on failure the temporary file is removed again.
Status replaceAtomically(ReplaceSteps& steps, const std::string& target, std::string_view bytes);

}  // namespace quorvel::platform::native
