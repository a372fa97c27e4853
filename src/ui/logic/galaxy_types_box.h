// The "Galaxy Types" box: the list of the 32 galaxy types with their weights, the name and
// weight fields of the chosen line, and Commit, which writes them into the table in memory
// (the store follows on Accept).
#pragma once

#include <span>
#include <string>
#include <vector>

#include "settings/settings_model.h"
#include "ui/logic/props_page.h"

namespace astrelle {

struct ProcessValues;

class GalaxyTypesBox : public PropsPage {
  public:
    GalaxyTypesBox(PropsView& view, GalaxyTypeTable& types, const ProcessValues& process);

    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }

    // The lines, from the table or from the factory names and weights.
    void FillFromTable();
    void FillFromFactory();
    const std::vector<std::string>& Lines() const { return lines_; }

    // The chosen line, -1 for none.
    int SelectedRow() const;
    // Chooses line 0 and shows its name and weight.
    void SelectFirst();
    // A line was chosen: its name and weight go into the fields.
    void OnLineChosen();
    // Commit: the weight held to 0..999 and the trimmed name into the chosen type.
    void Commit();

  private:
    void Fill(const std::vector<std::string>& names, const std::vector<int>& weights);
    std::string Line(std::string_view name, int weight) const;

    GalaxyTypeTable& types_;
    const ProcessValues& process_;
    std::vector<std::string> lines_;
};

}  // namespace astrelle
