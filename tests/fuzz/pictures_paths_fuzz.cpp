// Feeds arbitrary bytes to the picture-header check and the bitmap and icon decoding, and to
// everything that takes a path apart or builds one: the command-line split of an application
// link, the settings files' paths from any working folder and user name (long, UNC, characters
// Shift-JIS cannot hold), and the check that a path survives the settings files. The first byte
// picks which. Any crash, sanitizer report or broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bar/command_line.h"
#include "forms/picture_header.h"
#include "platform/sim/sim_file_system.h"
#include "resources/bitmap_files.h"
#include "settings/cp932.h"
#include "settings/settings_files.h"
#include "settings/stored_width.h"

namespace {

using namespace quorvel;

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// The program's own decoding of bitmaps and icons gives whole pictures within the limits, their
// colours premultiplied, or nothing.
void fuzzOwnDecoding(std::string_view bytes) {
    for (const auto& decoded :
         {resources::decodeBitmapFile(bytes), resources::decodeIconFile(bytes)}) {
        if (!decoded) {
            continue;
        }
        require(decoded->width > 0 && decoded->height > 0);
        require(static_cast<std::uint32_t>(decoded->width) <= forms::kMaxPictureSide &&
                static_cast<std::uint32_t>(decoded->height) <= forms::kMaxPictureSide);
        require(decoded->pixels.size() == static_cast<std::size_t>(decoded->width) *
                                              static_cast<std::size_t>(decoded->height));
        for (const std::uint32_t px : decoded->pixels) {
            const std::uint32_t alpha = px >> 24U;
            require((px & 0xFFU) <= alpha && ((px >> 8U) & 0xFFU) <= alpha &&
                    ((px >> 16U) & 0xFFU) <= alpha);
        }
    }
}

void fuzzPictureHeader(std::string_view bytes) {
    fuzzOwnDecoding(bytes);
    const auto header = forms::readPictureHeader(bytes);
    if (!header) {
        return;
    }
    // Whatever is announced is within the limits, or left to the decoder (a JPEG's frame
    // beyond the bytes read).
    const bool unknown = header->width == 0 && header->height == 0;
    require(!unknown || header->format == forms::PictureFormat::Jpeg);
    if (!unknown) {
        require(header->width > 0 && header->height > 0);
        require(header->width <= forms::kMaxPictureSide &&
                header->height <= forms::kMaxPictureSide);
        require(std::uint64_t{header->width} * header->height <= forms::kMaxPicturePixels);
    }
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

void fuzzCommandLine(std::string_view text) {
    // Programs "exist" when they end in ".exe" or name a share: enough to exercise every cut.
    const bar::ProgramFinder finder = [](const std::string& name) -> std::optional<std::string> {
        if (endsWith(name, ".exe") || (name.size() > 2 && name[0] == '\\' && name[1] == '\\')) {
            return "C:\\found\\" + name;
        }
        return std::nullopt;
    };
    const auto split = bar::splitCommandLine(text, finder);
    if (!split) {
        return;
    }
    require(split->program.rfind("C:\\found\\", 0) == 0);
    require(split->arguments.empty() ||
            (split->arguments.front() != ' ' && split->arguments.front() != '\t'));
    // The program named is part of the text, and so are the arguments.
    require(text.find(split->program.substr(9)) != std::string_view::npos);
    require(text.find(split->arguments) != std::string_view::npos);
}

void fuzzSettingsPaths(std::string_view text) {
    platform::sim::SimFileSystem disk;
    // As the working folder: a long one, a share, one with characters of any kind.
    const settings::SettingsFiles inFolder(disk, std::string(text), "taro");
    require(endsWith(inFolder.dockPath(), "tarodp.dat"));
    require(endsWith(inFolder.setsPath(), "tarosl.dat"));
    // As the user name, which every file name starts with.
    const settings::SettingsFiles ofUser(disk, "C:\\w", std::string(text));
    require(endsWith(ofUser.dockPath(), "dp.dat"));
    require(endsWith(ofUser.setsPath(), "sl.dat"));
}

void fuzzStoredPath(std::string_view text) {
    const settings::cp932::Encoded encoded = settings::cp932::encode(text);
    const std::string fitted = settings::cp932::fitToWidth(encoded.bytes, 260);
    require(fitted.size() == 260);
    require(settings::cp932::countInvalid(fitted) == 0);
    // A path the files cannot hold as it is, is reported before anything is written.
    settings::SettingsModel model;
    model.L[0].P = std::string(text);
    const auto bad = settings::findUnstorable(model);
    const bool storable = encoded.unencodable.empty() && encoded.bytes.size() <= 260;
    require(bad.has_value() != storable || (bad && bad->field != "L1P"));
    if (bad && bad->field == "L1P") {
        require(bad->tooLong == (encoded.bytes.size() > 260) || !encoded.unencodable.empty());
    }
    const std::string fit = settings::fitStoredWidth(text, 260);
    require(settings::cp932::encode(fit).bytes.size() <= 260);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            fuzzPictureHeader(rest);
            break;
        case 1:
            fuzzCommandLine(rest);
            break;
        case 2:
            fuzzSettingsPaths(rest);
            break;
        default:
            fuzzStoredPath(rest);
            break;
    }
    return 0;
}
