#include "settings/record_layout.h"

#include <algorithm>

#include "settings/cp932.h"

namespace quorvel::settings {
namespace {

class LayoutBuilder {
public:
    void add(std::string name, std::size_t width) {
        fields_.push_back({std::move(name), next_, width});
        next_ += width;
    }
    // `count` fields named prefix + k + suffix, k = 1..count.
    void addNumbered(std::string_view prefix, int count, std::string_view suffix,
                     std::size_t width) {
        for (int k = 1; k <= count; ++k) {
            add(std::string(prefix) + std::to_string(k) + std::string(suffix), width);
        }
    }
    std::vector<FieldLayout> take() { return std::move(fields_); }

private:
    std::vector<FieldLayout> fields_;
    std::size_t next_ = 0;
};

constexpr std::size_t kPathWidth = 260;

std::vector<FieldLayout> buildDockLayout() {
    LayoutBuilder b;
    b.add("TaskB", 10);
    b.add("DockPos", 6);
    b.add("FntName", 30);
    b.add("FStyle", 10);
    b.add("FrColor", 20);
    return b.take();
}

std::vector<FieldLayout> buildSetLayout() {
    LayoutBuilder b;
    b.add("RNo", 2);
    b.add("FWdth", 6);
    b.add("FTop", 10);
    b.add("Clr", 10);
    for (const char* name :
         {"txtMcIc", "txtMdIc", "txtRbeIc", "txtRbfIc", "ClsB", "OpnB", "SepIcn"}) {
        b.add(name, kPathWidth);
    }
    b.add("BkStrch", 8);
    b.add("txtFBk", kPathWidth);
    b.addNumbered("S", kSeparatorCount, "E", 2);
    // The slot fields are grouped by kind, not by slot.
    b.addNumbered("L", kSlotCount, "T", 20);
    b.addNumbered("L", kSlotCount, "N", 40);
    b.addNumbered("L", kSlotCount, "I", kPathWidth);
    b.addNumbered("L", kSlotCount, "P", kPathWidth);
    b.addNumbered("LN", kSetCount, "", 20);
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

std::size_t recordLength(const std::vector<FieldLayout>& layout) {
    return layout.empty() ? 0 : layout.back().offset + layout.back().width;
}

std::string encodeRecord(const SettingsModel& model, const std::vector<FieldLayout>& layout) {
    std::string record;
    record.reserve(recordLength(layout));
    for (const FieldLayout& f : layout) {
        const std::string* value = storedField(model, f.name);
        record += cp932::fitToWidth(value ? cp932::encode(*value).bytes : std::string(), f.width);
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
        if (std::string* value = storedField(model, f.name)) {
            *value = cp932::decode(fieldBytes(record, f));
        }
    }
}

}  // namespace quorvel::settings
