// The composite list, its fields, the major and minor lists and Commit.
#include "ui/logic/composite_page.h"

#include <algorithm>

#include "engine/process_values.h"
#include "settings/registry_store.h"
#include "settings/rounding.h"
#include "ui/logic/field_rules.h"
#include "ui/logic/name_lines.h"
#include "ui/logic/props_text.h"

namespace astrelle {

namespace {

constexpr std::string_view kNameKey = "_CompGalName";
constexpr std::string_view kWeightKey = "_CompGalPct";
constexpr int kNameMaxLength = 64;

constexpr FieldRow kRows[] = {
    TextRow(kNameKey).MaxLength(kNameMaxLength),
    NumberRow(kWeightKey, FieldKind::Int16).CheckedOnCommit().Spinner(1),
};

const Control kList = Own(ControlId::CompositeList);
const Control kMajor = Own(ControlId::MajorType);
const Control kMinor = Own(ControlId::MinorTypes);

}  // namespace

CompositePage::CompositePage(PropsView& view, CompositeTable& composites, const ProcessValues& process)
    : PropsPage(view), composites_(composites), process_(process) {}

std::span<const FieldRow> CompositePage::Rows() {
    return kRows;
}

std::string CompositePage::Line(int row, std::string_view name, int weight) const {
    // A composite without a name is listed under a placeholder of its own.
    const std::string shown = name.empty() ? CompositePlaceholderName(row) : std::string(name);
    return NameWeightLine(view_, kList, process_.TwipsPerPixelX, shown, weight);
}

void CompositePage::FillTypeNames(std::span<const std::string> galaxyLines) {
    std::vector<std::string> names;
    for (const std::string& line : galaxyLines) names.push_back(WithoutWeight(line));
    typeCount_ = static_cast<int>(names.size());
    view_.FillList(kMajor, names);
    view_.FillList(kMinor, names);
    view_.Select(kMajor, -1);
}

void CompositePage::Fill(const std::vector<std::string>& names, const std::vector<int>& weights) {
    lines_.clear();
    for (size_t c = 0; c < names.size(); ++c)
        lines_.push_back(Line(static_cast<int>(c), names[c], weights[c]));
    view_.FillList(kList, lines_);
}

void CompositePage::FillFromTable() {
    std::vector<std::string> names;
    std::vector<int> weights;
    for (const CompositeRecord& record : composites_) {
        names.push_back(record.Name);
        weights.push_back(record.Weight);
    }
    Fill(names, weights);
}

void CompositePage::FillFromStore(SettingsStore& store) {
    std::vector<std::string> names;
    std::vector<int> weights;
    for (int c = 0; c < kCompositeCount; ++c) {
        const std::string section = CompositeRegistrySection(c);
        names.push_back(GetSettingText(store, section, kNameKey, ""));
        weights.push_back(GetSettingInt16(store, section, kWeightKey, 0));
    }
    Fill(names, weights);
}

void CompositePage::ClearChoice() {
    view_.ScrollToTop(kList);
    view_.Select(kList, -1);
}

int CompositePage::SelectedRow() const {
    const int row = view_.Selected(kList);
    return row >= 0 && row < static_cast<int>(lines_.size()) ? row : -1;
}

void CompositePage::OnLineChosen(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size())) return;
    const std::string& line = lines_[static_cast<size_t>(row)];
    view_.SetText(Field(kNameKey), NameOfLine(line));
    view_.SetText(Field(kWeightKey), WeightOfLine(line));
    view_.Select(kMajor, -1);
    for (int t = 0; t < typeCount_; ++t) view_.SetMarked(kMinor, t, false);
    view_.ScrollToTop(kMinor);
    const CompositeRecord& record = composites_[static_cast<size_t>(row)];
    const int count = std::min<int>(record.Count, kCompositeMembers);
    if (count <= 0) return;
    const int major = record.Members[0];
    if (major >= 0 && major < typeCount_) view_.Select(kMajor, major);
    for (int j = 1; j < count; ++j) {
        const int member = record.Members[static_cast<size_t>(j)];
        if (member >= 0 && member < typeCount_) view_.SetMarked(kMinor, member, true);
    }
}

void CompositePage::Commit() {
    const int row = SelectedRow();
    if (row < 0) return;
    const int major = view_.Selected(kMajor);
    if (major < 0) {
        view_.ShowMessage(props_text::kSelectMajorType);
        view_.Focus(kMajor);
        return;
    }
    if (const std::optional<NumberCheck> check = CheckOf(kRows[1]))
        CorrectField(view_, Field(kWeightKey), *check);
    CompositeRecord& record = composites_[static_cast<size_t>(row)];
    record.Weight = RoundToInt16Saturated(LeadingNumber(view_.Text(Field(kWeightKey))));
    record.Name = std::string(TrimBlanks(view_.Text(Field(kNameKey))));
    record.Members[0] = static_cast<int16_t>(major);
    lines_[static_cast<size_t>(row)] = Line(row, record.Name, record.Weight);
    view_.SetListEntry(kList, row, lines_[static_cast<size_t>(row)]);
    int members = 1;
    for (int t = 0; t < kGalaxyTypeCount && t < typeCount_; ++t) {
        if (t == major || !view_.Marked(kMinor, t)) continue;
        record.Members[static_cast<size_t>(members++)] = static_cast<int16_t>(t);
    }
    record.Count = static_cast<int16_t>(members);
}

}  // namespace astrelle
