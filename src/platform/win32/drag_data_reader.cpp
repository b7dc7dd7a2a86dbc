#include "platform/win32/drag_data_reader.h"

#include <cstddef>
#include <string_view>

#include "platform/win32/handles.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// A medium the data object handed over, given back as ReleaseStgMedium would give back an
// HGLOBAL: to the object that lent it, or freed when it is ours.
class GlobalMedium {
public:
    GlobalMedium(IDataObject& data, CLIPFORMAT format) noexcept {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ok_ = SUCCEEDED(data.GetData(&wanted, &medium_)) && medium_.tymed == TYMED_HGLOBAL &&
              medium_.hGlobal != nullptr;
    }
    ~GlobalMedium() {
        if (medium_.pUnkForRelease != nullptr) {
            medium_.pUnkForRelease->Release();
        } else if (medium_.tymed == TYMED_HGLOBAL && medium_.hGlobal != nullptr) {
            GlobalFree(medium_.hGlobal);
        }
    }
    GlobalMedium(const GlobalMedium&) = delete;
    GlobalMedium& operator=(const GlobalMedium&) = delete;

    [[nodiscard]] bool ok() const noexcept { return ok_; }
    [[nodiscard]] HGLOBAL get() const noexcept { return medium_.hGlobal; }

private:
    STGMEDIUM medium_{};
    bool ok_ = false;
};

// A locked HGLOBAL's bytes, unlocked again with the scope.
class LockedBytes {
public:
    explicit LockedBytes(HGLOBAL memory) noexcept
        : memory_(memory),
          bytes_(static_cast<const char*>(GlobalLock(memory))),
          size_(bytes_ != nullptr ? GlobalSize(memory) : 0) {}
    ~LockedBytes() {
        if (bytes_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    LockedBytes(const LockedBytes&) = delete;
    LockedBytes& operator=(const LockedBytes&) = delete;

    [[nodiscard]] std::string_view view() const noexcept { return {bytes_, size_}; }

private:
    HGLOBAL memory_;
    const char* bytes_;
    std::size_t size_;
};

CLIPFORMAT registered(const wchar_t* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

// The first line of wide text, up to its NUL or the block's end; blanks around it dropped.
std::string firstLine(std::wstring_view text) {
    text = text.substr(0, text.find_first_of(L"\r\n", 0));
    text = text.substr(0, text.find(L'\0'));
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) {
        text.remove_suffix(1);
    }
    return toUtf8(text);
}

std::string wideText(IDataObject& data, CLIPFORMAT format) {
    const GlobalMedium medium(data, format);
    if (!medium.ok()) {
        return {};
    }
    const LockedBytes bytes(medium.get());
    const std::string_view raw = bytes.view();
    return firstLine(std::wstring_view(reinterpret_cast<const wchar_t*>(raw.data()),
                                       raw.size() / sizeof(wchar_t)));
}

// An address in its narrow form is plain ASCII; anything else is in a code page it does not
// name, and is left out.
std::string narrowAddress(IDataObject& data) {
    const GlobalMedium medium(data, registered(CFSTR_INETURLA));
    if (!medium.ok()) {
        return {};
    }
    const LockedBytes bytes(medium.get());
    std::string_view raw = bytes.view();
    raw = raw.substr(0, raw.find('\0'));
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return {};
        }
    }
    std::wstring wide(raw.begin(), raw.end());
    return firstLine(wide);
}

std::vector<std::string> shellItemPaths(IDataObject& data) {
    std::vector<std::string> paths;
    const GlobalMedium medium(data, registered(CFSTR_SHELLIDLIST));
    if (!medium.ok()) {
        return paths;
    }
    const LockedBytes bytes(medium.get());
    const std::string_view raw = bytes.view();
    if (raw.size() < sizeof(CIDA)) {
        return paths;
    }
    const auto* list = reinterpret_cast<const CIDA*>(raw.data());
    const std::size_t count = list->cidl;
    // The offsets of the folder and of each item, all inside the block.
    if (count == 0 || raw.size() < sizeof(UINT) * (count + 2)) {
        return paths;
    }
    const auto itemAt = [&](std::size_t i) -> PCUIDLIST_RELATIVE {
        const UINT offset = list->aoffset[i];
        return offset < raw.size() ? reinterpret_cast<PCUIDLIST_RELATIVE>(raw.data() + offset)
                                   : nullptr;
    };
    const auto folder = reinterpret_cast<PCIDLIST_ABSOLUTE>(itemAt(0));
    if (folder == nullptr) {
        return paths;
    }
    for (std::size_t i = 1; i <= count; ++i) {
        PCUIDLIST_RELATIVE item = itemAt(i);
        if (item == nullptr) {
            continue;
        }
        const UniqueIdList full(ILCombine(folder, item));
        wchar_t path[MAX_PATH * 4] = {};
        if (full &&
            SHGetPathFromIDListEx(full.get(), path, static_cast<DWORD>(std::size(path)),
                                  GPFIDL_DEFAULT) != FALSE &&
            path[0] != L'\0') {
            paths.push_back(toUtf8(path));
        }
    }
    return paths;
}

std::vector<std::string> fileDropPaths(IDataObject& data) {
    const GlobalMedium medium(data, CF_HDROP);
    if (!medium.ok()) {
        return {};
    }
    return droppedFiles(static_cast<HDROP>(medium.get()));
}

}  // namespace

std::vector<std::string> droppedFiles(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFFU, nullptr, 0);
    std::vector<std::string> files;
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty()) {
            files.push_back(toUtf8(path));
        }
    }
    return files;
}

forms::DragData readDragData(IDataObject& data) {
    forms::DragData read;
    read.paths = fileDropPaths(data);
    if (read.paths.empty()) {
        read.paths = shellItemPaths(data);
    }
    if (!read.paths.empty()) {
        // A file manager may offer an Internet shortcut's address beside the file itself: the
        // file is what was dragged.
        return read;
    }
    std::string address = wideText(data, registered(CFSTR_INETURLW));
    if (address.empty()) {
        address = narrowAddress(data);
    }
    if (address.empty()) {
        address = wideText(data, CF_UNICODETEXT);
    }
    if (!address.empty()) {
        read.addresses.push_back(std::move(address));
    }
    return read;
}

}  // namespace quorvel::platform::win32
