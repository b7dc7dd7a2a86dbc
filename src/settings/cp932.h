#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Shift-JIS as Windows' code page 932 has it, the encoding of the settings files. The codec
// is ours rather than the operating system's so that every build, and every system locale,
// reads and writes the files identically.
namespace quorvel::settings::cp932 {

// Byte written for a character that code page 932 has no code for (what Windows writes too).
inline constexpr char kUnencodableByte = '?';

// Character read for a byte sequence that means nothing in code page 932: the Japanese middle
// dot, which is also what Windows' own conversion shows for such bytes.
inline constexpr std::string_view kReplacement = "\xE3\x83\xBB";  // U+30FB

struct Encoded {
    std::string bytes;
    // Every character of the input that has no code, in order, as UTF-8 (malformed UTF-8 is
    // reported as U+FFFD). Each was written as kUnencodableByte.
    std::vector<std::string> unencodable;
};

[[nodiscard]] Encoded encode(std::string_view utf8);

// Decodes to UTF-8. A lead byte whose pair means nothing reads as one kReplacement for both
// bytes; a lead byte followed by a byte that cannot trail it (or by the end) reads as one
// kReplacement for the lead byte alone, and decoding goes on with the next byte.
[[nodiscard]] std::string decode(std::string_view bytes);

// Number of kReplacement characters decode() would produce.
[[nodiscard]] std::size_t countInvalid(std::string_view bytes);

// True when `byte` starts a double-byte character.
[[nodiscard]] bool isLeadByte(unsigned char byte) noexcept;

// Cuts encoded bytes to `width` or pads them with spaces up to it. A double-byte character
// that the width would split is dropped whole and its first byte becomes a padding space, so
// a cut value always decodes cleanly.
[[nodiscard]] std::string fitToWidth(std::string_view encoded, std::size_t width);

}  // namespace quorvel::settings::cp932
