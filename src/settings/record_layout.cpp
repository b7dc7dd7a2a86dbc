#include "settings/record_layout.h"

#include <algorithm>

#include "settings/cp932.h"

namespace quorvel::settings {
namespace {

namespace w = words;

class LayoutBuilder {
public:
    LayoutBuilder& add(std::string name, std::size_t width, FieldGroup group,
                       std::string SettingsModel::*member, std::string_view defaultValue,
                       std::string caption) {
        fields_.push_back(FieldLayout{std::move(name), next_, width, group, 0,
                                      std::string(defaultValue), std::move(caption), member});
        next_ += width;
        return *this;
    }
    // `count` fields named prefix + k + suffix, k = 1..count.
    template <class Caption>
    LayoutBuilder& addNumbered(std::string_view prefix, int count, std::string_view suffix,
                               std::size_t width, FieldGroup group, Caption caption) {
        for (int k = 1; k <= count; ++k) {
            fields_.push_back(FieldLayout{
                std::string(prefix) + std::to_string(k) + std::string(suffix), next_, width, group,
                k, group == FieldGroup::SetName ? defaultSetName(k) : std::string(), caption(k),
                nullptr});
            next_ += width;
        }
        return *this;
    }
    std::vector<FieldLayout> take() { return std::move(fields_); }

private:
    std::vector<FieldLayout> fields_;
    std::size_t next_ = 0;
};

constexpr std::size_t kPathWidth = 260;
using M = SettingsModel;
using G = FieldGroup;

std::vector<FieldLayout> buildDockLayout() {
    LayoutBuilder b;
    b.add("TaskB", 10, G::Dock, &M::TaskB, w::kShown, "タスクバー")
        .add("DockPos", 6, G::Dock, &M::DockPos, w::kTop, "ランチャー位置")
        .add("FntName", 30, G::Dock, &M::FntName, w::kDefaultFont, "フォント名")
        .add("FStyle", 10, G::Dock, &M::FStyle, w::kRegular, "スタイル")
        .add("FrColor", 20, G::Dock, &M::FrColor, w::kDefaultFrColor, "文字の色");
    return b.take();
}

std::vector<FieldLayout> buildSetLayout() {
    const auto slot = [](std::string_view what) {
        return [what](int n) { return slotCaption(n) + std::string(what); };
    };
    LayoutBuilder b;
    b.add("RNo", 2, G::SetNumber, &M::RNo, "1", "ランチャーNo")
        .add("FWdth", 6, G::BarWidth, &M::FWdth, "2280", "バーの幅")
        .add("FTop", 10, G::SetOption, &M::FTop, w::kYes, "常に前面表示")
        .add("Clr", 10, G::SetOption, &M::Clr, w::kNo, "ウインドウの透明化")
        .add("txtMcIc", kPathWidth, G::Picture, &M::txtMcIc, "", "マイ コンピュータの画像")
        .add("txtMdIc", kPathWidth, G::Picture, &M::txtMdIc, "", "マイ ドキュメントの画像")
        .add("txtRbeIc", kPathWidth, G::Picture, &M::txtRbeIc, "", "ごみ箱（空）の画像")
        .add("txtRbfIc", kPathWidth, G::Picture, &M::txtRbfIc, "", "ごみ箱（いっぱい）の画像")
        .add("ClsB", kPathWidth, G::Picture, &M::ClsB, "", "「隠す」の画像")
        .add("OpnB", kPathWidth, G::Picture, &M::OpnB, "", "「開く」の画像")
        .add("SepIcn", kPathWidth, G::Picture, &M::SepIcn, "", "セパレータの画像")
        .add("BkStrch", 8, G::SetOption, &M::BkStrch, w::kYes, "背景画像の自動調整")
        .add("txtFBk", kPathWidth, G::Picture, &M::txtFBk, "", "ウインドウの背景の画像")
        .addNumbered("S", kSeparatorCount, "E", 2, G::Separator,
                     [](int k) { return slotCaption(k + 1) + "の前のセパレータ"; })
        // The slot fields are grouped by kind, not by slot.
        .addNumbered("L", kSlotCount, "T", 20, G::SlotType, slot("のリンクの種類"))
        .addNumbered("L", kSlotCount, "N", 40, G::SlotName, slot("のリンク先の名前"))
        .addNumbered("L", kSlotCount, "I", kPathWidth, G::SlotPicture, slot("の画像/アイコン"))
        .addNumbered("L", kSlotCount, "P", kPathWidth, G::SlotPath, slot("のリンクのパス"))
        .addNumbered("LN", kSetCount, "", 20, G::SetName,
                     [](int k) { return "ランチャー" + std::to_string(k) + "の名前"; });
    return b.take();
}

}  // namespace

const std::vector<FieldLayout>& dockRecordLayout() {
    static const std::vector<FieldLayout> layout = buildDockLayout();
    return layout;
}

const std::vector<FieldLayout>& setRecordLayout() {
    static const std::vector<FieldLayout> layout = buildSetLayout();
    return layout;
}

const FieldLayout* findField(std::string_view name) {
    for (const auto* layout : {&dockRecordLayout(), &setRecordLayout()}) {
        for (const FieldLayout& f : *layout) {
            if (f.name == name) {
                return &f;
            }
        }
    }
    return nullptr;
}

std::string& valueOf(SettingsModel& model, const FieldLayout& field) {
    const auto at = static_cast<std::size_t>(field.index - 1);
    switch (field.group) {
        case G::Separator:
            return model.SE.at(at);
        case G::SlotType:
            return model.L.at(at).T;
        case G::SlotName:
            return model.L.at(at).N;
        case G::SlotPicture:
            return model.L.at(at).I;
        case G::SlotPath:
            return model.L.at(at).P;
        case G::SetName:
            return model.LN.at(at);
        case G::Dock:
        case G::SetNumber:
        case G::BarWidth:
        case G::SetOption:
        case G::Picture:
            break;
    }
    return model.*field.member;
}

const std::string& valueOf(const SettingsModel& model, const FieldLayout& field) {
    // The lookup never writes; sharing it keeps the two overloads from drifting apart.
    return valueOf(const_cast<SettingsModel&>(model), field);
}

std::string* storedField(SettingsModel& m, std::string_view name) {
    const FieldLayout* field = findField(name);
    return field != nullptr ? &valueOf(m, *field) : nullptr;
}

const std::string* storedField(const SettingsModel& m, std::string_view name) {
    const FieldLayout* field = findField(name);
    return field != nullptr ? &valueOf(m, *field) : nullptr;
}

std::size_t recordLength(const std::vector<FieldLayout>& layout) {
    return layout.empty() ? 0 : layout.back().offset + layout.back().width;
}

std::string encodeRecord(const SettingsModel& model, const std::vector<FieldLayout>& layout) {
    std::string record;
    record.reserve(recordLength(layout));
    for (const FieldLayout& f : layout) {
        record += cp932::fitToWidth(cp932::encode(valueOf(model, f)).bytes, f.width);
    }
    return record;
}

std::string_view fieldBytes(std::string_view record, const FieldLayout& field) {
    if (field.offset >= record.size()) {
        return {};
    }
    return record.substr(field.offset, std::min(field.width, record.size() - field.offset));
}

void decodeRecord(std::string_view record, const std::vector<FieldLayout>& layout,
                  SettingsModel& model) {
    for (const FieldLayout& f : layout) {
        valueOf(model, f) = cp932::decode(fieldBytes(record, f));
    }
}

void trimFields(SettingsModel& model, const std::vector<FieldLayout>& layout) {
    for (const FieldLayout& f : layout) {
        std::string& value = valueOf(model, f);
        value = trimRight(value);
    }
}

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

}  // namespace quorvel::settings
