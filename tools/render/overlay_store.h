// A settings store that reads through to another one but keeps every write to itself, so
// astrelle-render can run the saver's own set-up (which stores the factory galaxy types on
// a first run) over the user's settings file without ever changing it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace astrelle::render {

class OverlayStore final : public SettingsStore {
  public:
    // base may be null: then only what was written here exists.
    explicit OverlayStore(SettingsStore* base) : base_(base) {}

    std::optional<std::string> ReadText(std::string_view section, std::string_view key) override {
        if (auto own = own_.ReadText(section, key)) return own;
        return base_ != nullptr ? base_->ReadText(section, key) : std::nullopt;
    }
    bool WriteText(std::string_view section, std::string_view key, std::string_view text) override {
        return own_.WriteText(section, key, text);
    }
    void BeginBatch() override { own_.BeginBatch(); }
    bool CommitBatch() override { return own_.CommitBatch(); }

  private:
    SettingsStore* base_;
    MemorySettingsStore own_;
};

}  // namespace astrelle::render
