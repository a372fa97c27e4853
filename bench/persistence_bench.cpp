// Speed of the settings file and of templates: storing every setting as the dialog does on
// accept (goal: well under 100 ms), loading all rows, saving a template, and opening a
// 10 MB template (goal: under 1 s).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile_file.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/template_files.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "astrelle-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

struct AllSettings {
    GalaxyTypeTable galaxies{};
    CompositeTable composites{};
    TemplateFields fields;
    AllSettings() {
        LoadFactoryGalaxyTypes(galaxies);
        LoadFactoryComposites(composites);
        for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
            if (def.control == "txtUni")
                fields.txtUni[static_cast<size_t>(def.controlIndex)] = def.missingText;
        }
        fields.txtPixelSize.assign(FindSetting("PixelSize")->missingText);
        fields.txtFocalLen.assign(FindSetting("FocalLength")->missingText);
    }
};

// Everything the properties dialog writes when the user accepts: general, advanced and
// universe values one key at a time, all galaxy types and all composites, in one batch.
void StoreEverything(SettingsStore& store, AllSettings& s, int round) {
    StoreBatch batch(store);
    WriteFirstRunMarker(store);
    RegWriteText(store, kSectionGeneral, "PixelSize", s.fields.txtPixelSize);
    RegWriteText(store, kSectionGeneral, "FocalLength", s.fields.txtFocalLen);
    RegWriteText(store, kSectionGeneral, "LockMessage", "round " + std::to_string(round));
    for (const SettingDef& def : SettingsOf(SettingGroup::Advanced)) {
        RegWriteText(store, kSectionAdvanced, def.key, def.missingText);
    }
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        RegWriteText(store, kSectionUniverse, def.key, def.missingText);
    }
    SaveAllGalaxyTypes(store, s.galaxies);
    SaveAllComposites(store, s.composites);
    batch.Commit();
}

void BM_StoreAllSettings(benchmark::State& state) {
    ScratchDir dir;
    FileSettingsStore store(dir.path());
    AllSettings s;
    int round = 0;
    StoreEverything(store, s, round++);
    for (auto _ : state) StoreEverything(store, s, round++);  // every round changes a value
    state.counters["file_bytes"] =
        static_cast<double>(std::filesystem::file_size(dir.path() + "/settings.ini"));
}
BENCHMARK(BM_StoreAllSettings)->Unit(benchmark::kMillisecond);

void BM_LoadAllRows(benchmark::State& state) {
    ScratchDir dir;
    AllSettings s;
    {
        FileSettingsStore store(dir.path());
        StoreEverything(store, s, 0);
    }
    for (auto _ : state) {
        FileSettingsStore store(dir.path());  // a fresh store reads and parses the file
        GalaxyTypeTable galaxies{};
        CompositeTable composites{};
        LoadAllGalaxyTypes(store, galaxies);
        LoadAllComposites(store, composites);
        benchmark::DoNotOptimize(galaxies[31].Radius);
    }
}
BENCHMARK(BM_LoadAllRows)->Unit(benchmark::kMillisecond);

void BM_SaveTemplate(benchmark::State& state) {
    ScratchDir dir;
    MemorySettingsStore store;
    AllSettings s;
    const std::string path = dir.path() + "/bench.glx";
    int round = 0;
    for (auto _ : state) {
        TemplateFile file(path);
        s.fields.txtMessage = std::to_string(round++);
        benchmark::DoNotOptimize(SaveTemplate(file, store, s.fields, s.galaxies, s.composites));
    }
}
BENCHMARK(BM_SaveTemplate)->Unit(benchmark::kMillisecond);

// A complete template padded to 10 MB with foreign sections before the real ones, so every
// lookup has to get past them.
void BM_OpenTenMegabyteTemplate(benchmark::State& state) {
    ScratchDir dir;
    const std::string path = dir.path() + "/big.glx";
    const std::string realPath = dir.path() + "/real.glx";
    {
        MemorySettingsStore store;
        AllSettings s;
        TemplateFile real(realPath);
        SaveTemplate(real, store, s.fields, s.galaxies, s.composites);
    }
    std::string text;
    for (int section = 0; text.size() < (10u << 20); ++section) {
        text += "[Foreign" + std::to_string(section) + "]\n";
        for (int k = 0; k < 40; ++k)
            text += "Key" + std::to_string(k) + "=some foreign value of no interest\n";
    }
    {
        std::ifstream in(realPath, std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    for (auto _ : state) {
        TemplateFile file(path);
        MemorySettingsStore store;
        AllSettings s;
        OpenTemplate(file, store, s.fields, s.galaxies, s.composites);
        benchmark::DoNotOptimize(s.galaxies[31].Radius);
    }
    state.counters["file_MB"] = static_cast<double>(text.size()) / (1 << 20);
}
BENCHMARK(BM_OpenTenMegabyteTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace astrelle

BENCHMARK_MAIN();
