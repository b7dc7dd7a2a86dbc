#include "settings_window/field_captions.h"

#include "settings/settings_model.h"

namespace quorvel::settings_window {

namespace {

struct Caption {
    std::string_view field;
    std::string_view caption;
};
constexpr Caption kCaptions[] = {
    {"txtFBk", "ウインドウの背景の画像"},
    {"txtMcIc", "マイ コンピュータの画像"},
    {"txtMdIc", "マイ ドキュメントの画像"},
    {"txtRbeIc", "ごみ箱（空）の画像"},
    {"txtRbfIc", "ごみ箱（いっぱい）の画像"},
    {"ClsB", "「隠す」の画像"},
    {"OpnB", "「開く」の画像"},
    {"SepIcn", "セパレータの画像"},
    {"FntName", "フォント名"},
    {"FStyle", "スタイル"},
};

// The slot number of "L<n><kind>", or 0.
int slotOf(std::string_view field) {
    if (field.size() < 3 || field.front() != 'L') {
        return 0;
    }
    const std::string_view digits = field.substr(1, field.size() - 2);
    const int n = settings::toInt32(digits);
    const bool plain =
        digits.find_first_not_of("0123456789") == std::string_view::npos && digits.front() != '0';
    return plain && n >= 1 && n <= settings::kSlotCount ? n : 0;
}

}  // namespace

std::string slotCaption(int n) {
    static constexpr std::string_view kDigits[] = {"０", "１", "２", "３", "４",
                                                   "５", "６", "７", "８", "９"};
    std::string text = "リンク";
    if (n >= 10) {
        text += kDigits[(n / 10) % 10];
    }
    text += kDigits[n % 10];
    return text;
}

std::string fieldCaption(std::string_view field) {
    for (const Caption& c : kCaptions) {
        if (c.field == field) {
            return std::string(c.caption);
        }
    }
    if (field.size() == 3 && field.starts_with("LN") && field[2] >= '1' && field[2] <= '4') {
        return "ランチャー" + std::string(1, field[2]) + "の名前";
    }
    if (const int n = slotOf(field)) {
        switch (field.back()) {
            case 'T':
                return slotCaption(n) + "のリンクの種類";
            case 'N':
                return slotCaption(n) + "のリンク先の名前";
            case 'I':
                return slotCaption(n) + "の画像/アイコン";
            case 'P':
                return slotCaption(n) + "のリンクのパス";
            default:
                break;
        }
    }
    return std::string(field);
}

}  // namespace quorvel::settings_window
