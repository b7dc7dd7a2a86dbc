#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::forms {

// Reads little- and big-endian numbers at an offset; every read outside the bytes fails.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) noexcept : bytes_(bytes) {}

    [[nodiscard]] std::size_t size() const noexcept { return bytes_.size(); }
    [[nodiscard]] bool has(std::size_t at, std::size_t count) const noexcept {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    [[nodiscard]] std::uint32_t u8(std::size_t at) const noexcept {
        return static_cast<unsigned char>(bytes_[at]);
    }
    [[nodiscard]] std::uint32_t le16(std::size_t at) const noexcept {
        return u8(at) | (u8(at + 1) << 8);
    }
    [[nodiscard]] std::uint32_t le32(std::size_t at) const noexcept {
        return le16(at) | (le16(at + 2) << 16);
    }
    [[nodiscard]] std::uint32_t be16(std::size_t at) const noexcept {
        return (u8(at) << 8) | u8(at + 1);
    }
    [[nodiscard]] std::uint32_t be32(std::size_t at) const noexcept {
        return (be16(at) << 16) | be16(at + 2);
    }
    [[nodiscard]] bool startsWith(std::string_view prefix) const noexcept {
        return bytes_.substr(0, prefix.size()) == prefix;
    }

private:
    std::string_view bytes_;
};

}  // namespace quorvel::forms
