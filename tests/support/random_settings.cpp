#include "support/random_settings.h"

#include <array>
#include <string_view>

#include "settings/bar_dimensions.h"

namespace quorvel::testing {

namespace w = settings::words;

int between(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(Random& random, double p) {
    return std::bernoulli_distribution(p)(random);
}

namespace {

template <std::size_t N>
std::string pick(Random& random, const std::array<std::string_view, N>& words) {
    return std::string(words[static_cast<std::size_t>(between(random, 0, N - 1))]);
}

constexpr std::array<std::string_view, 10> kNames = {"メモ帳",
                                                     "電卓",
                                                     "ﾒﾓ",
                                                     "仕事のフォルダ",
                                                     "Mail",
                                                     "ブラウザ",
                                                     "表計算ソフトウェアの一番新しい版",
                                                     "ｱﾌﾟﾘ",
                                                     "写真",
                                                     "Notes 2"};
constexpr std::array<std::string_view, 8> kPaths = {
    "notepad.exe",
    "C:\\Program Files\\Office\\excel.exe /e",
    "C:\\Users\\taro\\Documents\\報告書.txt",
    "C:\\Users\\taro\\Pictures",
    "http://example.jp/",
    "\"C:\\Program Files\\Tool\\tool.exe\" --open \"D:\\data set\\a.csv\"",
    "D:\\",
    "\\\\server\\share\\共有フォルダ\\予定表.xls"};
constexpr std::array<std::string_view, 4> kTypes = {w::kApplication, w::kFile, w::kFolder,
                                                    w::kHomePage};
constexpr std::array<std::string_view, 3> kYesNo = {w::kYes, w::kNo, ""};

}  // namespace

std::string randomName(Random& random) {
    std::string name = pick(random, kNames);
    if (chance(random, 0.2)) {
        name += pick(random, kNames);  // sometimes longer than the 40-byte field
    }
    return name;
}

std::string randomPath(Random& random) {
    std::string path = pick(random, kPaths);
    if (chance(random, 0.2)) {
        // A deep folder: near the 260-byte field, now and then beyond it.
        while (path.size() < 240) {
            path += "\\サブフォルダ";
        }
    }
    return path;
}

settings::SettingsModel randomSet(Random& random, int links) {
    settings::SettingsModel m;
    for (int n = 1; n <= links; ++n) {
        settings::LinkSlot& slot = m.L[static_cast<std::size_t>(n - 1)];
        slot.T = pick(random, kTypes);
        slot.N = randomName(random);
        slot.I = chance(random, 0.5) ? "C:\\icons\\" + std::to_string(n) + ".ico" : "";
        slot.P = randomPath(random);
    }
    m.FWdth = std::to_string(links == settings::kSlotCount ? settings::kFullBarWidth
                                                           : settings::slotLeft(links + 1));
    for (auto& flag : m.SE) {
        flag = chance(random, 0.2) ? "1" : "0";
    }
    m.FTop = pick(random, kYesNo);
    m.Clr = pick(random, kYesNo);
    m.BkStrch = pick(random, kYesNo);
    m.TaskB = chance(random, 0.5) ? std::string(w::kShown) : std::string(w::kHidden);
    m.DockPos = chance(random, 0.5) ? std::string(w::kTop) : std::string(w::kBottom);
    m.FntName = chance(random, 0.8) ? std::string(w::kDefaultFont) : "ＭＳ 明朝";
    m.FStyle = std::string(chance(random, 0.5) ? w::kRegular : w::kBold);
    m.FrColor = std::to_string(between(random, 0, 0xFFFFFF));
    for (int k = 1; k <= settings::kSetCount; ++k) {
        m.LN[static_cast<std::size_t>(k - 1)] =
            chance(random, 0.5) ? settings::defaultSetName(k) : randomName(random);
    }
    return m;
}

}  // namespace quorvel::testing
