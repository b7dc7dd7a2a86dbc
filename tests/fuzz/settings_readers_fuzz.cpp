// Feeds arbitrary bytes to everything that reads the settings files: the set count, both
// record readers and the Shift-JIS decoder. Any crash, sanitizer report or broken invariant
// below is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sim/sim_file_system.h"
#include "settings/cp932.h"
#include "settings/record_layout.h"
#include "settings/settings_files.h"

namespace {

using namespace quorvel;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void fuzzCodec(std::string_view bytes) {
    const std::string text = settings::cp932::decode(bytes);
    // Everything the decoder produces can be written back.
    const settings::cp932::Encoded again = settings::cp932::encode(text);
    require(again.unencodable.empty());
    // Clean bytes decode and encode back to themselves, unless they hold one of the
    // duplicated codes, which encode to their preferred twin; either way the text survives.
    if (settings::cp932::countInvalid(bytes) == 0) {
        require(settings::cp932::decode(again.bytes) == text);
    }
    for (std::size_t width : {std::size_t{0}, std::size_t{1}, bytes.size() / 2, std::size_t{40}}) {
        const std::string fitted = settings::cp932::fitToWidth(again.bytes, width);
        require(fitted.size() == width);
        require(settings::cp932::countInvalid(fitted) == 0);
    }
    // Treating the bytes as UTF-8 must not hurt the encoder either.
    (void)settings::cp932::encode(bytes);
}

void fuzzFiles(std::string_view bytes) {
    platform::sim::SimFileSystem disk;
    settings::SettingsFiles files(disk, "/w", "u");
    disk.addFile(files.setsPath(), std::string(bytes));
    disk.addFile(files.dockPath(), std::string(bytes));

    const auto count = files.countSets();
    require(count.ok() && count.value() >= 0);
    const int last = count.value() < 5 ? count.value() + 1 : 5;
    for (int n = 1; n <= last; ++n) {
        const auto set = files.readSet(n);
        require(set.ok());
        // A decoded record always re-encodes to exactly one record.
        require(settings::encodeRecord(set.value(), settings::setRecordLayout()).size() ==
                settings::kSetRecordLength);
    }
    require(files.readDock().ok());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzzCodec(bytes);
    fuzzFiles(bytes);
    return 0;
}
