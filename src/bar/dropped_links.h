#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/drag_data.h"
#include "platform/file_system.h"

namespace quorvel::bar {

// A link that something dropped on the bar becomes, before its picture is found.
struct DroppedLink {
    std::string type;  // one of the four link type words
    std::string name;  // already cut to what the stored name holds
    std::string path;  // the link's target as stored: a program's in quotes, as a command line
    // What the picture is the shell's picture of: the dropped file or folder, or the address.
    std::string pictureOf;
    bool address = false;

    friend bool operator==(const DroppedLink&, const DroppedLink&) = default;
};

// What the drag's files, folders and addresses become, in the order dropped: a program (.exe,
// .com, .bat, .cmd) an application link, a folder a folder link, an Internet shortcut (.url)
// or an address a web-page link, anything else a file link. Paths that name nothing on the disk
// and text that is no internet address are left out.
[[nodiscard]] std::vector<DroppedLink> linksFor(const forms::DragData& data,
                                                platform::FileSystem& files);

// Whether the drag holds anything a drop could make links of, as far as can be told without
// the disk while the pointer moves.
[[nodiscard]] bool mayMakeLinks(const forms::DragData& data);

// The host of an internet address ("https://user@www.example.jp:8080/a" gives
// "www.example.jp"); empty for text that is no http, https or ftp address.
[[nodiscard]] std::string addressHost(std::string_view address);

// The address an Internet shortcut file holds (URL= in its [InternetShortcut] section), empty
// when it holds none.
[[nodiscard]] std::string shortcutAddress(std::string_view fileBytes);

// The name a target's picture is kept under in the Icons folder: always the same for the same
// target (paths compared as the system compares them, whatever the case of their letters),
// different for different ones, and a plain name whatever characters the target holds.
[[nodiscard]] std::string iconFileName(std::string_view target, bool address);

}  // namespace quorvel::bar
