#include "settings/stored_width.h"

#include "settings/cp932.h"
#include "settings/record_layout.h"

namespace quorvel::settings {

namespace {

std::size_t encodedLength(std::string_view utf8) {
    return cp932::encode(utf8).bytes.size();
}

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray continuation byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0U) {
        return 4;
    }
    if (lead >= 0xE0U) {
        return 3;
    }
    if (lead >= 0xC0U) {
        return 2;
    }
    return 1;
}

}  // namespace

std::size_t storedWidth(std::string_view field) {
    const FieldLayout* f = findField(field);
    return f != nullptr ? f->width : 0;
}

std::string fitStoredWidth(std::string_view text, std::size_t width) {
    std::size_t bytes = 0;
    std::size_t keep = 0;
    while (keep < text.size()) {
        const std::size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(text[keep])), text.size() - keep);
        const std::size_t encoded = encodedLength(text.substr(keep, length));
        if (bytes + encoded > width) {
            break;
        }
        bytes += encoded;
        keep += length;
    }
    return std::string(text.substr(0, keep));
}

namespace {

std::optional<Unstorable> unstorable(const FieldLayout& f, std::string_view value) {
    cp932::Encoded encoded = cp932::encode(value);
    const bool tooLong = encoded.bytes.size() > f.width;
    if (!encoded.unencodable.empty() || tooLong) {
        return Unstorable{f.name, std::move(encoded.unencodable), tooLong};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Unstorable> findUnstorable(const SettingsModel& model) {
    for (const auto* layout : {&dockRecordLayout(), &setRecordLayout()}) {
        for (const FieldLayout& f : *layout) {
            if (auto bad = unstorable(f, valueOf(model, f))) {
                return bad;
            }
        }
    }
    return std::nullopt;
}

std::optional<Unstorable> findUnstorable(std::string_view field, std::string_view value) {
    const FieldLayout* f = findField(field);
    return f != nullptr ? unstorable(*f, value) : std::nullopt;
}

}  // namespace quorvel::settings
