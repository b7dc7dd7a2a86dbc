#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "commands.h"
#include "settings/cp932.h"
#include "settings/record_layout.h"
#include "settings/settings_files.h"

namespace quorvel::tools {
namespace {

using settings::FieldLayout;
namespace words = settings::words;

// The words a field may hold when it is set; an empty value always means "not set".
struct AllowedWords {
    std::string_view field;
    std::array<std::string_view, 4> words;
};

constexpr AllowedWords kAllowed[] = {
    {"TaskB", {words::kShown, words::kHidden}},
    {"DockPos", {words::kTop, words::kBottom}},
    {"FStyle", {words::kRegular, words::kBold, words::kItalic, words::kBoldItalic}},
    {"FTop", {words::kYes, words::kNo}},
    {"Clr", {words::kYes, words::kNo}},
    {"BkStrch", {words::kYes, words::kNo}},
};

constexpr std::array<std::string_view, 4> kLinkTypes = {words::kApplication, words::kFile,
                                                        words::kFolder, words::kHomePage};

bool isOneOf(std::string_view value, const std::array<std::string_view, 4>& allowed) {
    for (std::string_view w : allowed) {
        if (!w.empty() && w == value) {
            return true;
        }
    }
    return false;
}

const std::array<std::string_view, 4>* allowedWords(const std::string& name) {
    static constexpr std::array<std::string_view, 4> kFlags = {"0", "1"};
    for (const AllowedWords& a : kAllowed) {
        if (a.field == name) {
            return &a.words;
        }
    }
    if (name.size() >= 3 && name.front() == 'S' && name.back() == 'E') {
        return &kFlags;
    }
    if (name.size() >= 3 && name.front() == 'L' && name.back() == 'T') {
        return &kLinkTypes;
    }
    return nullptr;
}

class Checker {
public:
    explicit Checker(std::ostream& out) : out_(out) {}

    void problem(const std::string& where, const std::string& what) {
        out_ << where << ": " << what << '\n';
        ++count_;
    }

    // Encoding and value words of every field of one record.
    void checkRecord(const std::string& where, std::string_view record,
                     const std::vector<FieldLayout>& layout) {
        for (const FieldLayout& f : layout) {
            const std::string_view bytes = settings::fieldBytes(record, f);
            if (settings::cp932::countInvalid(bytes) != 0) {
                problem(where + " " + f.name, "Shift-JIS として正しくないバイト列があります。");
                continue;
            }
            const std::string value = settings::trimRight(settings::cp932::decode(bytes));
            const auto* allowed = allowedWords(f.name);
            if (allowed && !value.empty() && !isOneOf(value, *allowed)) {
                problem(where + " " + f.name, "不明な値 \"" + value + "\" です。");
            }
        }
    }

    [[nodiscard]] int count() const noexcept { return count_; }

private:
    std::ostream& out_;
    int count_ = 0;
};

std::string fileName(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

int checkSettings(platform::FileSystem& files, const Target& target, std::ostream& out,
                  std::ostream& err) {
    settings::SettingsFiles store(files, target.dir, target.user);
    Checker check(out);
    const auto readWhole = [&files, &err](const std::string& path) -> std::optional<std::string> {
        const auto size = files.fileSize(path);
        if (!size) {
            return std::nullopt;  // a file not yet written is no problem
        }
        auto bytes = files.readAt(path, 0, static_cast<std::size_t>(size.value()));
        if (!bytes) {
            err << consoleText(bytes.error().message) << '\n';
            return std::nullopt;
        }
        return std::move(bytes).value();
    };

    const std::string dockName = fileName(store.dockPath());
    if (const auto dock = readWhole(store.dockPath())) {
        if (dock->size() != settings::kDockRecordLength) {
            check.problem(dockName, "長さが " + std::to_string(dock->size()) + " バイトです（" +
                                        std::to_string(settings::kDockRecordLength) +
                                        " バイトのはずです）。");
        }
        check.checkRecord(dockName, *dock, settings::dockRecordLayout());
    }

    const std::string setsName = fileName(store.setsPath());
    if (const auto sets = readWhole(store.setsPath())) {
        const std::size_t length = settings::kSetRecordLength;
        if (sets->size() % length != 0) {
            check.problem(setsName, "長さ " + std::to_string(sets->size()) + " バイトは " +
                                        std::to_string(length) + " バイトの倍数ではありません。");
        }
        const std::size_t records = (sets->size() + length - 1) / length;
        if (records > static_cast<std::size_t>(settings::kSetCount)) {
            check.problem(setsName, std::to_string(records) + " 件のレコードがあります（最大 " +
                                        std::to_string(settings::kSetCount) + " 件）。");
        }
        for (std::size_t n = 1; n <= std::min<std::size_t>(records, settings::kSetCount); ++n) {
            const std::string where = setsName + " " + std::to_string(n);
            const std::string_view record =
                std::string_view(*sets).substr((n - 1) * length, length);
            // Saving a higher set first leaves the records below it unwritten; that is how the
            // file is meant to grow, not a fault.
            if (record.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos) {
                continue;
            }
            check.checkRecord(where, record, settings::setRecordLayout());
            const std::string rno = settings::trimRight(settings::cp932::decode(
                settings::fieldBytes(record, settings::setRecordLayout().front())));
            if (rno != std::to_string(n)) {
                check.problem(where + " RNo", "ランチャー番号 \"" + rno + "\" がレコード番号 " +
                                                  std::to_string(n) + " と一致しません。");
            }
        }
    }
    return check.count() == 0 ? kExitOk : kExitFailed;
}

}  // namespace quorvel::tools
