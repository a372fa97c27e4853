// The universe page's "Composite Astrelle" sub-page: the list of the 16 composite types with
// their weights, the name and weight of the chosen one, its major type and the marked minor
// types, and Commit, which writes them into the composite table in memory.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "settings/settings_model.h"
#include "ui/logic/props_page.h"

namespace astrelle {

class SettingsStore;
struct ProcessValues;

class CompositePage : public PropsPage {
  public:
    CompositePage(PropsView& view, CompositeTable& composites, const ProcessValues& process);

    static std::span<const FieldRow> Rows();
    std::span<const FieldRow> Fields() const override { return Rows(); }

    // The major and minor lists: the galaxy type lines without their weights.
    void FillTypeNames(std::span<const std::string> galaxyLines);
    // The composite lines from the table, or from the store as it stands.
    void FillFromTable();
    void FillFromStore(SettingsStore& store);
    // The list back at its top with nothing chosen.
    void ClearChoice();

    int SelectedRow() const;
    // A composite line was chosen: its name, weight, major and minor types are shown.
    void OnLineChosen(int row);
    // Commit: refused without a major type; otherwise the major first, then each marked
    // type other than the major once, in type order.
    void Commit();

  private:
    void Fill(const std::vector<std::string>& names, const std::vector<int>& weights);
    std::string Line(int row, std::string_view name, int weight) const;

    CompositeTable& composites_;
    const ProcessValues& process_;
    std::vector<std::string> lines_;
    int typeCount_ = 0;
};

}  // namespace astrelle
