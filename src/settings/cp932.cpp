#include "settings/cp932.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "settings/cp932_table.h"

namespace quorvel::settings::cp932 {
namespace {

constexpr char16_t kAsciiEnd = 0x80;
constexpr std::string_view kMalformedUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// Position of a trail byte within a row, or -1 when the byte cannot trail a lead byte.
int trailIndex(unsigned char byte) noexcept {
    if (byte >= 0x40 && byte <= 0x7E) {
        return byte - 0x40;
    }
    if (byte >= 0x80 && byte <= 0xFC) {
        return byte - 0x80 + (0x7F - 0x40);
    }
    return -1;
}

unsigned char trailByte(int index) noexcept {
    return static_cast<unsigned char>(index < 0x7F - 0x40 ? 0x40 + index : 0x80 + index - 0x3F);
}

std::int8_t leadKind(unsigned char byte) noexcept {
    return byte < 0x80 ? kNotLead : kLeadRow[byte - 0x80];
}

// The character of a double-byte pair, kNoChar when the pair means nothing.
char16_t pairCharacter(unsigned char lead, int trail) noexcept {
    const std::int8_t kind = leadKind(lead);
    if (kind >= 0) {
        return kDoubleByteRows[kind][trail];
    }
    if (kind == kUserDefinedLead) {
        return static_cast<char16_t>(kFirstUserDefinedChar +
                                     (lead - kFirstUserDefinedLead) * kTrailCount + trail);
    }
    return kNoChar;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Reads one UTF-8 character at `pos`; returns the character and its length, or nothing
// (length 1) for a malformed, overlong or surrogate sequence.
struct Utf8Char {
    char32_t value;
    std::size_t length;
    bool ok;
};

Utf8Char readUtf8(std::string_view s, std::size_t pos) noexcept {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        return {b0, 1, true};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, value = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, value = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, value = b0 & 0x07, minimum = 0x10000;
    } else {
        return {0, 1, false};
    }
    if (s.size() - pos < length) {
        return {0, 1, false};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return {0, 1, false};
        }
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {0, 1, false};
    }
    return {value, length, true};
}

// Character -> code, sorted by character. Codes below 0x100 are single bytes.
using EncodeTable = std::vector<std::pair<char16_t, std::uint16_t>>;

EncodeTable buildEncodeTable() {
    EncodeTable table;
    for (unsigned b = kAsciiEnd; b < 0x100; ++b) {
        if (kSingleByte[b] != kNoChar) {
            table.emplace_back(kSingleByte[b], static_cast<std::uint16_t>(b));
        }
    }
    const std::uint16_t* decodeOnlyEnd = kDecodeOnly + kDecodeOnlyCount;
    for (unsigned lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < kTrailCount; ++trail) {
            const char16_t c = pairCharacter(static_cast<unsigned char>(lead), trail);
            if (c == kNoChar) {
                continue;
            }
            const auto code = static_cast<std::uint16_t>(lead << 8 | trailByte(trail));
            if (!std::binary_search(kDecodeOnly, decodeOnlyEnd, code)) {
                table.emplace_back(c, code);
            }
        }
    }
    for (std::size_t i = 0; i < kEncodeOnlyCount; ++i) {
        table.emplace_back(kEncodeOnly[i].character, kEncodeOnly[i].code);
    }
    std::sort(table.begin(), table.end());
    return table;
}

const EncodeTable& encodeTable() {
    static const EncodeTable table = buildEncodeTable();
    return table;
}

// Code of a non-ASCII character, or 0 when it has none.
std::uint16_t lookup(char32_t c) {
    if (c > 0xFFFF) {
        return 0;
    }
    const EncodeTable& table = encodeTable();
    const auto key = static_cast<char16_t>(c);
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const auto& entry, char16_t k) { return entry.first < k; });
    return it != table.end() && it->first == key ? it->second : 0;
}

}  // namespace

bool isLeadByte(unsigned char byte) noexcept {
    return leadKind(byte) != kNotLead;
}

Encoded encode(std::string_view utf8) {
    Encoded out;
    out.bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Utf8Char c = readUtf8(utf8, pos);
        if (c.ok && c.value < kAsciiEnd) {
            out.bytes.push_back(static_cast<char>(c.value));
        } else if (const std::uint16_t code = c.ok ? lookup(c.value) : 0; code != 0) {
            if (code > 0xFF) {
                out.bytes.push_back(static_cast<char>(code >> 8));
            }
            out.bytes.push_back(static_cast<char>(code & 0xFF));
        } else {
            out.bytes.push_back(kUnencodableByte);
            out.unencodable.emplace_back(c.ok ? utf8.substr(pos, c.length) : kMalformedUtf8);
        }
        pos += c.length;
    }
    return out;
}

namespace {

// Walks `bytes` as decode() does, handing each character (kNoChar for an invalid sequence)
// to `sink`.
template <class Sink>
void walk(std::string_view bytes, Sink&& sink) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[pos]);
        if (!isLeadByte(b)) {
            sink(kSingleByte[b]);
            ++pos;
            continue;
        }
        const int trail =
            pos + 1 < bytes.size() ? trailIndex(static_cast<unsigned char>(bytes[pos + 1])) : -1;
        if (trail < 0) {
            sink(kNoChar);
            ++pos;
            continue;
        }
        sink(pairCharacter(b, trail));
        pos += 2;
    }
}

}  // namespace

std::string decode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    walk(bytes, [&out](char16_t c) {
        if (c == kNoChar) {
            out.append(kReplacement);
        } else {
            appendUtf8(out, c);
        }
    });
    return out;
}

std::size_t countInvalid(std::string_view bytes) {
    std::size_t count = 0;
    walk(bytes, [&count](char16_t c) { count += c == kNoChar ? 1 : 0; });
    return count;
}

std::string fitToWidth(std::string_view encoded, std::size_t width) {
    std::size_t keep = 0;
    while (keep < encoded.size()) {
        const std::size_t step = isLeadByte(static_cast<unsigned char>(encoded[keep])) ? 2 : 1;
        if (keep + step > width) {
            break;
        }
        keep += step;
    }
    std::string out(encoded.substr(0, std::min(keep, encoded.size())));
    out.resize(width, ' ');
    return out;
}

}  // namespace quorvel::settings::cp932
