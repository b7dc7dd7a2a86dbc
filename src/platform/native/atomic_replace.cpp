#include "platform/native/atomic_replace.h"

#include <algorithm>

namespace quorvel::platform::native {

Status replaceAtomically(ReplaceSteps& steps, const std::string& target, std::string_view bytes) {
    auto temporary = steps.createTemporary(target);
    if (!temporary) {
        return temporary.error();
    }
    const std::string& temp = temporary.value();
    const auto fail = [&steps, &temp](const Error& error) -> Status {
        steps.discard(temp);
        return error;
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t n = std::min(kReplaceWriteChunk, bytes.size() - done);
        if (auto written = steps.write(bytes.substr(done, n)); !written) {
            return fail(written.error());
        }
        done += n;
    }
    // Without the flush the rename could reach the disk before the data does, and a power
    // cut would leave an empty or half-written file under the old name.
    if (auto flushed = steps.flush(); !flushed) {
        return fail(flushed.error());
    }
    if (auto closed = steps.close(); !closed) {
        return fail(closed.error());
    }
    if (auto moved = steps.moveOver(temp, target); !moved) {
        return fail(moved.error());
    }
    steps.flushFolderOf(target);
    return success();
}

}  // namespace quorvel::platform::native
