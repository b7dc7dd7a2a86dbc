#include "settings/settings_model.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

namespace quorvel::settings {
namespace {

// Rounds half to even without consulting the floating-point environment's rounding mode.
double roundHalfEven(double x) noexcept {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) {
        return lower + 1;
    }
    if (diff < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

template <class Int>
int roundAndClamp(std::string_view text) noexcept {
    constexpr auto lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr auto hi = static_cast<double>(std::numeric_limits<Int>::max());
    const double rounded = roundHalfEven(numericValue(text));
    if (rounded <= lo) {
        return std::numeric_limits<Int>::min();
    }
    if (rounded >= hi) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<int>(rounded);
}

}  // namespace

std::string defaultSetName(int n) {
    return "ランチャー" + std::to_string(n);
}

double numericValue(std::string_view text) noexcept {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    bool nonZeroWhole = false;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        nonZeroWhole = nonZeroWhole || text[pos] != '0';
        ++pos;
    }
    const std::size_t wholeEnd = pos;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            ++pos;
        }
    }
    if (wholeEnd == start && pos <= start + 1) {
        return 0.0;  // no digits at all: "", "-", ".", "abc"
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + pos;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too many digits for a double: a huge number, or a vanishing fraction.
        value = nonZeroWhole ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc{}) {
        value = 0.0;
    }
    (void)ptr;
    return negative ? -value : value;
}

int toInt16(std::string_view text) noexcept {
    return roundAndClamp<std::int16_t>(text);
}

int toInt32(std::string_view text) noexcept {
    return roundAndClamp<std::int32_t>(text);
}

std::string trimRight(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : text.substr(0, end + 1));
}

}  // namespace quorvel::settings
