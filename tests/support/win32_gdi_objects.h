// A process's GDI objects, counted in its handle table the way tools that watch other processes
// count them: the table is mapped into the process and named by its PEB. Windows builds only.
#pragma once

#include <windows.h>
// <windows.h> first: winternl.h needs its types.
#include <winternl.h>

#include <cstddef>
#include <vector>

namespace quorvel::test_support {

// -1 when the system keeps no such table.
inline long gdiObjectsOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0 ||
        basic.PebBaseAddress == nullptr) {
        return -1;
    }
    // GdiSharedHandleTable sits at offset 0xF8 of a 64-bit PEB.
    constexpr SIZE_T kTableOffset = 0xF8;
    ULONG_PTR table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kTableOffset,
                           &table, sizeof table, &got) ||
        table == 0) {
        return -1;
    }
    // 16-byte object pointer and owner, then the type byte; 24 bytes per entry.
    struct Entry {
        ULONG64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        ULONG64 user;
    };
    constexpr std::size_t kEntries = 0x10000;
    std::vector<Entry> entries(kEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(Entry), &got)) {
        return -1;
    }
    long count = 0;
    for (std::size_t i = 0; i < got / sizeof(Entry); ++i) {
        // A stock object carries the stock flag in its unique word and is nobody's.
        if (entries[i].type != 0 && (entries[i].unique & 0x80) == 0) {
            ++count;
        }
    }
    return count;
}

}  // namespace quorvel::test_support
