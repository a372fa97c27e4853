// The universe mode of astrelle-render: settings into a scratch store, the window's host
// sequence on a headless host, pictures taken from the frame observer.
#include "universe_render.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "engine/engine_setup.h"
#include "engine/headless_host.h"
#include "engine/star_events.h"
#include "overlay_store.h"
#include "platform/profile_file.h"
#include "png_output.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/template_files.h"
#include "settings/value_utils.h"

namespace astrelle::render {

namespace {

using Options = UniverseRenderOptions;

// The fields a template fills, stored as the properties dialog stores them when the user
// accepts: general texts trimmed, universe numbers by their leading number, check boxes as
// 0 or 1, the profile as its list index.
void StoreTemplateFields(SettingsStore& store, const TemplateFields& fields) {
    RegWriteText(store, kSectionGeneral, "PixelSize", fields.txtPixelSize);
    RegWriteText(store, kSectionGeneral, "FocalLength", fields.txtFocalLen);
    RegWriteText(store, kSectionGeneral, "LockMessage", fields.txtMessage);
    for (const SettingDef& def : SettingsOf(SettingGroup::Universe)) {
        const std::string_view control = def.control;
        std::string text;
        if (control == "txtUni" && def.controlIndex >= 0 && def.controlIndex < kUniverseFieldSlots) {
            const double v = LeadingNumber(fields.txtUni[static_cast<size_t>(def.controlIndex)]);
            text = FloatToText(static_cast<float>(v));
        } else if (control == "chkUniTour") {
            text = fields.chkUniTour ? "1" : "0";
        } else if (control == "chkVisitSeq") {
            text = fields.chkVisitSeq ? "1" : "0";
        } else if (control == "chkTrackGrav") {
            text = fields.chkTrackGrav ? "1" : "0";
        } else if (control == "chkAmbDisp") {
            text = fields.chkAmbDisp ? "1" : "0";
        } else if (control == "cboUniProfile") {
            text = IntToText(fields.cboUniProfile);
        } else {
            continue;
        }
        RegWriteText(store, kSectionUniverse, def.key, text);
    }
}

bool StoreTemplate(SettingsStore& store, const std::string& path, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "no template file '" + path + "'";
        return false;
    }
    TemplateFile file(path);
    TemplateFields fields;
    GalaxyTypeTable types{};
    CompositeTable composites{};
    OpenTemplate(file, store, fields, types, composites);
    if (file.LastReadStatus() != FileReadStatus::Ok) {
        error = "cannot read the template '" + path + "'";
        return false;
    }
    StoreTemplateFields(store, fields);
    SaveAllGalaxyTypes(store, types);
    SaveAllComposites(store, composites);
    WriteFirstRunMarker(store);
    return true;
}

void StoreOverrides(SettingsStore& store, const Options& o) {
    if (o.stars) RegWriteText(store, kSectionUniverse, "Universe_Stars", static_cast<int>(*o.stars));
    if (o.trail) RegWriteText(store, kSectionUniverse, "Universe_STrail", static_cast<int>(*o.trail));
    if (o.pixelSize) RegWriteText(store, kSectionGeneral, "PixelSize", static_cast<int>(*o.pixelSize));
    if (o.focal) RegWriteText(store, kSectionGeneral, "FocalLength", *o.focal);
}

// Frames of one control step: t = 0, dt, 2 dt, ... while t <= 1, as the tour counts them.
int64_t FramesPerStep(float dt) {
    int64_t n = 0;
    for (float t = 0.0f; t <= 1.0f; t += dt) ++n;
    return n;
}

void PrintSchedule(const EngineContext& ctx, const RuntimeArrays& a) {
    const EngineSettings& st = ctx.Settings;
    const int64_t perStep = FramesPerStep(1.0f / static_cast<float>(st.Universe_GSteps));
    const int64_t steps = st.Universe_GPCtrl + st.Universe_GCCtrl;
    const int64_t visits = a.GalaxyCount * steps * perStep;
    const int64_t pullBack = (st.Universe_GPCtrl + 1) * perStep;
    std::printf(
        "a universe cycle: %d creation frames, %lld visit frames (%d objects x %lld control steps x %lld "
        "frames), %lld pull-back frames; %lld frames in all\n",
        static_cast<int>(st.Universe_ESteps), static_cast<long long>(visits), a.GalaxyCount,
        static_cast<long long>(steps), static_cast<long long>(perStep), static_cast<long long>(pullBack),
        static_cast<long long>(st.Universe_ESteps + visits + pullBack));
}

std::string TypeName(const EngineContext& ctx, const RuntimeArrays& a, int16_t g) {
    const int type = a.GalType[static_cast<size_t>(g)];
    if (type >= kGalaxyTypeCount) {
        return "composite \"" + ctx.Composites[static_cast<size_t>(type - kGalaxyTypeCount)].Name + "\"";
    }
    return "\"" + std::string(TrimBlanks(ctx.GalaxyTypes[static_cast<size_t>(type)].Name)) + "\"";
}

std::string Describe(const EngineContext& ctx, const RuntimeArrays& a, const UniverseFrame& f) {
    char text[256];
    const EngineSettings& st = ctx.Settings;
    switch (f.phase) {
        case UniversePhase::Creation:
            std::snprintf(text, sizeof text, "creation frame %d of %d", f.creationFrame + 1,
                          static_cast<int>(st.Universe_ESteps));
            break;
        case UniversePhase::Visit:
            std::snprintf(text, sizeof text, "visit of object %d of %d (%s), control step %d of %d, t = %.3f",
                          f.g + 1, a.GalaxyCount, TypeName(ctx, a, f.g).c_str(), f.k,
                          st.Universe_GPCtrl + st.Universe_GCCtrl, static_cast<double>(f.t));
            break;
        case UniversePhase::ReturnLeg:
            std::snprintf(text, sizeof text, "pull-back, control step %d of %d, t = %.3f", f.k,
                          st.Universe_GPCtrl + 1, static_cast<double>(f.t));
            break;
    }
    return "universe " + std::to_string(f.cycle + 1) + ", " + text;
}

}  // namespace

std::string SequenceName(const std::string& output, int64_t frame, int64_t lastFrame) {
    std::string stem = output;
    if (stem.size() >= 4) {
        std::string ext = stem.substr(stem.size() - 4);
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".png") stem.resize(stem.size() - 4);
    }
    std::string digits = std::to_string(frame);
    const size_t width = std::to_string(lastFrame).size();
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return stem + "-" + digits + ".png";
}

int RenderUniverse(const Options& o) {
    std::unique_ptr<FileSettingsStore> file;
    if (o.source == Options::Source::Stored) {
        file = std::make_unique<FileSettingsStore>(FileSettingsStore::DefaultDirectory());
    }
    OverlayStore store(file.get());
    std::string error;
    if (o.source == Options::Source::Factory) StoreFactorySettings(store);
    if (o.source == Options::Source::Template && !StoreTemplate(store, o.templatePath, error)) {
        std::fprintf(stderr, "astrelle-render: %s\n", error.c_str());
        return 1;
    }
    StoreOverrides(store, o);

    HeadlessHost host(o.seed);
    host.Process().RunMode = RunModeValue::ScreenSaver;
    PixelSurface surface(o.width, o.height);
    GalaxyTypeTable types{};
    CompositeTable composites{};
    EngineContext ctx(host, surface, types, composites);

    std::string description;
    int64_t written = 0;
    bool failed = false;
    RunSaverHostSequence(ctx, store, HostKind::Window,
                         [&](EngineContext& c, RuntimeArrays& a, const UniverseFrame& f) {
                             const int64_t n = f.frameInRun + 1;
                             if (n == 1) PrintSchedule(c, a);
                             bool stop = n >= o.frames;
                             if (o.every > 0 && n % o.every == 0) {
                                 if (WritePng(c.Surface, SequenceName(o.output, n, o.frames), error)) {
                                     ++written;
                                 } else {
                                     failed = stop = true;
                                 }
                             }
                             if (n == o.frames && !failed) {
                                 description = Describe(c, a, f);
                                 failed = !WritePng(c.Surface, o.output, error);
                             }
                             if (stop) c.Host.Process().StopRequested = kTrue16;
                         });
    if (failed) {
        std::fprintf(stderr, "astrelle-render: %s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %s: frame %lld, %s, %dx%d, seed %llu, %lld lit pixels\n", o.output.c_str(),
                static_cast<long long>(o.frames), description.c_str(), o.width, o.height,
                static_cast<unsigned long long>(o.seed), static_cast<long long>(LitPixels(surface)));
    if (o.every > 0) {
        std::printf("wrote %lld pictures, one every %lld frames: %s and on\n",
                    static_cast<long long>(written), static_cast<long long>(o.every),
                    SequenceName(o.output, o.every, o.frames).c_str());
    }
    return 0;
}

}  // namespace astrelle::render
