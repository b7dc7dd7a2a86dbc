#include "bar/dropped_links.h"

#include <array>
#include <cstdint>
#include <optional>

#include "settings/settings_model.h"
#include "settings/stored_width.h"

namespace quorvel::bar {

namespace w = settings::words;

namespace {

// An Internet shortcut is a few lines; anything much larger is no such file.
constexpr std::uint64_t kMaxShortcutBytes = 64 * 1024;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = lowerAscii(c);
    }
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && lowered(text.substr(0, start.size())) == start;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\..." or "\\server\share...": what a drop from the shell gives; anything else names
// nothing the bar could open.
bool isAbsolute(std::string_view path) {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && isSeparator(path[2]);
    const bool share =
        path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2]);
    return drive || share;
}

// The last part of a path ("C:\docs\a.txt" gives "a.txt"; a drive's root keeps "C:").
std::string_view lastPart(std::string_view path) {
    while (path.size() > 1 && isSeparator(path.back())) {
        path.remove_suffix(1);
    }
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// A file's extension with its dot, in small letters; none for a name that starts with its
// only dot.
std::string extensionOf(std::string_view fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    return dot == std::string_view::npos || dot == 0 ? std::string()
                                                     : lowered(fileName.substr(dot));
}

std::string stemOf(std::string_view fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? fileName
                                                                 : fileName.substr(0, dot));
}

std::string storedName(std::string_view name) {
    return settings::fitStoredWidth(name, settings::storedWidth("L1N"));
}

bool isProgram(std::string_view extension) {
    constexpr std::array<std::string_view, 4> kPrograms = {".exe", ".com", ".bat", ".cmd"};
    for (std::string_view program : kPrograms) {
        if (extension == program) {
            return true;
        }
    }
    return false;
}

std::string addressIn(platform::FileSystem& files, const std::string& shortcut) {
    const auto size = files.fileSize(shortcut);
    if (!size || size.value() > kMaxShortcutBytes) {
        return {};
    }
    const auto bytes = files.readAt(shortcut, 0, static_cast<std::size_t>(size.value()));
    return bytes ? shortcutAddress(bytes.value()) : std::string();
}

std::optional<DroppedLink> linkForPath(const std::string& path, platform::FileSystem& files) {
    if (!isAbsolute(path)) {
        return std::nullopt;
    }
    const std::string_view name = lastPart(path);
    if (files.directoryExists(path)) {
        return DroppedLink{std::string(w::kFolder), storedName(name), path, path, false};
    }
    if (!files.fileSize(path)) {
        return std::nullopt;
    }
    const std::string extension = extensionOf(name);
    const std::string shown = storedName(stemOf(name));
    if (isProgram(extension)) {
        return DroppedLink{std::string(w::kApplication), shown, "\"" + path + "\"", path, false};
    }
    if (extension == ".url") {
        // The page itself where the shortcut says which; else the shortcut, which the shell
        // opens in the browser all the same.
        std::string address = addressIn(files, path);
        return DroppedLink{std::string(w::kHomePage), shown, address.empty() ? path : address, path,
                           false};
    }
    return DroppedLink{std::string(w::kFile), shown, path, path, false};
}

std::optional<DroppedLink> linkForAddress(const std::string& address) {
    const std::string host = addressHost(address);
    if (host.empty()) {
        return std::nullopt;
    }
    return DroppedLink{std::string(w::kHomePage), storedName(host), address, address, true};
}

}  // namespace

std::vector<DroppedLink> linksFor(const forms::DragData& data, platform::FileSystem& files) {
    std::vector<DroppedLink> links;
    for (const std::string& path : data.paths) {
        if (auto link = linkForPath(path, files)) {
            links.push_back(std::move(*link));
        }
    }
    for (const std::string& address : data.addresses) {
        if (auto link = linkForAddress(address)) {
            links.push_back(std::move(*link));
        }
    }
    return links;
}

bool mayMakeLinks(const forms::DragData& data) {
    for (const std::string& path : data.paths) {
        if (isAbsolute(path)) {
            return true;
        }
    }
    for (const std::string& address : data.addresses) {
        if (!addressHost(address).empty()) {
            return true;
        }
    }
    return false;
}

std::string addressHost(std::string_view address) {
    for (const char c : address) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F') {
            return {};  // blanks and control characters: text, not an address
        }
    }
    std::size_t start = 0;
    for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
        if (startsWithNoCase(address, scheme)) {
            start = scheme.size();
        }
    }
    if (start == 0) {
        return {};
    }
    std::string_view authority = address.substr(start);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const std::size_t at = authority.find_last_of('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        return close == std::string_view::npos ? std::string()
                                               : std::string(authority.substr(0, close + 1));
    }
    return std::string(authority.substr(0, authority.find(':')));
}

std::string shortcutAddress(std::string_view fileBytes) {
    if (fileBytes.substr(0, 3) == "\xEF\xBB\xBF") {
        fileBytes.remove_prefix(3);
    }
    bool inShortcut = false;
    while (!fileBytes.empty()) {
        const std::size_t end = fileBytes.find('\n');
        std::string_view line = fileBytes.substr(0, end);
        fileBytes.remove_prefix(end == std::string_view::npos ? fileBytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.front() == '[') {
            inShortcut = lowered(line) == "[internetshortcut]";
        } else if (inShortcut && startsWithNoCase(line, "url=")) {
            const std::string_view value = line.substr(4);
            // An address is plain ASCII (anything else comes percent-encoded); other bytes are
            // in a code page this file does not name.
            for (const char c : value) {
                if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E) {
                    return {};
                }
            }
            return std::string(value);
        }
    }
    return {};
}

std::string iconFileName(std::string_view target, bool address) {
    // FNV-1a, 64 bits, of the target as the system compares it.
    std::uint64_t hash = 14695981039346656037ULL;
    const std::string key = (address ? "address:" : "path:") + lowered(target);
    for (const char c : key) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(16, '0');
    for (int i = 15; i >= 0; --i) {
        name[static_cast<std::size_t>(i)] = kHex[hash & 0xFU];
        hash >>= 4U;
    }
    return name + ".ico";
}

}  // namespace quorvel::bar
