// The galaxy type list, its fields and Commit.
#include "ui/logic/galaxy_types_box.h"

#include "engine/process_values.h"
#include "settings/factory_tables.h"
#include "settings/rounding.h"
#include "ui/logic/field_rules.h"
#include "ui/logic/name_lines.h"

namespace astrelle {

namespace {

constexpr std::string_view kNameKey = "_UniGalName";
constexpr std::string_view kWeightKey = "_UniGalPct";
constexpr int kNameMaxLength = 64;  // well inside what the settings store reads back whole

// The weight is checked when it is committed, not when the field is left.
constexpr FieldRow kRows[] = {
    TextRow(kNameKey).MaxLength(kNameMaxLength),
    NumberRow(kWeightKey, FieldKind::Int16).CheckedOnCommit().Spinner(1),
};

const Control kList = Own(ControlId::GalaxyTypeList);

}  // namespace

GalaxyTypesBox::GalaxyTypesBox(PropsView& view, GalaxyTypeTable& types, const ProcessValues& process)
    : PropsPage(view), types_(types), process_(process) {}

std::span<const FieldRow> GalaxyTypesBox::Rows() {
    return kRows;
}

std::string GalaxyTypesBox::Line(std::string_view name, int weight) const {
    return NameWeightLine(view_, kList, process_.TwipsPerPixelX, name, weight);
}

void GalaxyTypesBox::Fill(const std::vector<std::string>& names, const std::vector<int>& weights) {
    lines_.clear();
    for (size_t i = 0; i < names.size(); ++i) lines_.push_back(Line(names[i], weights[i]));
    view_.FillList(kList, lines_);
}

void GalaxyTypesBox::FillFromTable() {
    std::vector<std::string> names;
    std::vector<int> weights;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        names.push_back(types_[static_cast<size_t>(i)].Name);
        weights.push_back(types_[static_cast<size_t>(i)].Weight);
    }
    Fill(names, weights);
}

void GalaxyTypesBox::FillFromFactory() {
    std::vector<std::string> names;
    std::vector<int> weights;
    for (int i = 0; i < kGalaxyTypeCount; ++i) {
        names.push_back(GalaxyTypeName(i));
        weights.push_back(GalaxyTypeWeight(i));
    }
    Fill(names, weights);
}

int GalaxyTypesBox::SelectedRow() const {
    const int row = view_.Selected(kList);
    return row >= 0 && row < static_cast<int>(lines_.size()) ? row : -1;
}

void GalaxyTypesBox::SelectFirst() {
    view_.Select(kList, 0);
    OnLineChosen();
}

void GalaxyTypesBox::OnLineChosen() {
    const int row = SelectedRow();
    if (row < 0) return;
    const std::string& line = lines_[static_cast<size_t>(row)];
    view_.SetText(Field(kNameKey), NameOfLine(line));
    view_.SetText(Field(kWeightKey), WeightOfLine(line));
}

void GalaxyTypesBox::Commit() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (const std::optional<NumberCheck> check = CheckOf(kRows[1])) {
        CorrectField(view_, Field(kWeightKey), *check);
    }
    GalaxyTypeRecord& record = types_[static_cast<size_t>(row)];
    record.Weight = RoundToInt16Saturated(LeadingNumber(view_.Text(Field(kWeightKey))));
    record.Name = std::string(TrimBlanks(view_.Text(Field(kNameKey))));
    lines_[static_cast<size_t>(row)] = Line(record.Name, record.Weight);
    view_.SetListEntry(kList, row, lines_[static_cast<size_t>(row)]);
}

}  // namespace astrelle
