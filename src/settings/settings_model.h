#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvel::settings {

// Value words, exactly as they are stored.
namespace words {
inline constexpr std::string_view kYes = "する";
inline constexpr std::string_view kNo = "しない";
inline constexpr std::string_view kTop = "上";
inline constexpr std::string_view kBottom = "下";
inline constexpr std::string_view kShown = "表示";
inline constexpr std::string_view kHidden = "非表示";
inline constexpr std::string_view kApplication = "ｱﾌﾟﾘｹｰｼｮﾝ";
inline constexpr std::string_view kFile = "ﾌｧｲﾙ";
inline constexpr std::string_view kFolder = "ﾌｫﾙﾀﾞ";
inline constexpr std::string_view kHomePage = "ﾎｰﾑﾍﾟｰｼﾞ";
inline constexpr std::string_view kRegular = "標準";
inline constexpr std::string_view kBold = "太字";
inline constexpr std::string_view kItalic = "斜体";
inline constexpr std::string_view kBoldItalic = "太字 斜体";
inline constexpr std::string_view kDefaultFont = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kDefaultFrColor = "-2147483630";  // system button text
inline constexpr std::string_view kRun = "Run";
}  // namespace words

inline constexpr int kSlotCount = 17;
inline constexpr int kSeparatorCount = 16;
inline constexpr int kSetCount = 4;

// Default set names "ランチャー1" .. "ランチャー4"; n counts from 1.
[[nodiscard]] std::string defaultSetName(int n);

struct LinkSlot {
    std::string T;  // link type word; empty = free slot
    std::string N;  // display name
    std::string I;  // picture file
    std::string P;  // target; empty = free slot
    friend bool operator==(const LinkSlot&, const LinkSlot&) = default;
};

// The bar's whole configuration: every value is text, named as the settings files name it.
// Slot n is L[n-1] (fields LnT, LnN, LnI, LnP); separator flag SkE is SE[k-1]; set name LNk is
// LN[k-1]. At program start every field is empty except RNo, which holds "1".
struct SettingsModel {
    // Dock-wide fields (dp.dat).
    std::string TaskB;
    std::string DockPos;
    std::string FntName;
    std::string FStyle;
    std::string FrColor;

    // Launcher-set fields (sl.dat).
    std::string RNo = "1";
    std::string FWdth;
    std::string FTop;
    std::string Clr;
    std::string txtMcIc;
    std::string txtMdIc;
    std::string txtRbeIc;
    std::string txtRbfIc;
    std::string ClsB;
    std::string OpnB;
    std::string SepIcn;
    std::string BkStrch;
    std::string txtFBk;
    std::array<std::string, kSeparatorCount> SE;
    std::array<LinkSlot, kSlotCount> L;
    std::array<std::string, kSetCount> LN;

    // Run-time fields, never stored. (txtRBin and txtSvSw, whose changes have effects, are
    // text fields of the bar window itself.)
    std::string txtUsr;
    std::string txtCDir;
    std::string txtMDPth;
    std::string BarSize;
    std::string txtRun;
    std::string Edit;
    std::string MRNo;
    std::string SNo;
    std::string Text1;
    std::string txtCount;
};

// Field access by its stored name ("TaskB", "L3P", "S16E", "LN2", ...). Returns null for a
// name that is not a stored field.
[[nodiscard]] std::string* storedField(SettingsModel& m, std::string_view name);
[[nodiscard]] const std::string* storedField(const SettingsModel& m, std::string_view name);

// Lenient numeric reading, as the windows read numbers held in text: the leading decimal
// number of the text (optional blanks, sign, digits, decimal point), 0 when there is none.
[[nodiscard]] double numericValue(std::string_view text) noexcept;

// The numeric value rounded to a whole number (a half goes to the even neighbour) and clamped
// to the 16-bit or 32-bit range instead of overflowing.
[[nodiscard]] int toInt16(std::string_view text) noexcept;
[[nodiscard]] int toInt32(std::string_view text) noexcept;

// Removes trailing spaces (the loader's trimming of padded fields).
[[nodiscard]] std::string trimRight(std::string_view text);

}  // namespace quorvel::settings
