// A settings store for tests that remembers which names were read and written, in order.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace astrelle::testing {

class RecordingStore final : public SettingsStore {
  public:
    using Name = std::pair<std::string, std::string>;  // section, key

    std::optional<std::string> ReadText(std::string_view section, std::string_view key) override {
        reads.emplace_back(section, key);
        return inner.ReadText(section, key);
    }
    bool WriteText(std::string_view section, std::string_view key, std::string_view text) override {
        writes.emplace_back(section, key);
        return inner.WriteText(section, key, text);
    }
    void BeginBatch() override { inner.BeginBatch(); }
    bool CommitBatch() override { return inner.CommitBatch(); }

    std::vector<std::string> KeysOf(const std::vector<Name>& names, std::string_view section) const {
        std::vector<std::string> keys;
        for (const auto& [s, k] : names) {
            if (s == section) keys.push_back(k);
        }
        return keys;
    }
    std::string Raw(std::string_view section, std::string_view key) {
        return inner.ReadText(section, key).value_or("<missing>");
    }

    MemorySettingsStore inner;
    std::vector<Name> reads;
    std::vector<Name> writes;
};

}  // namespace astrelle::testing
