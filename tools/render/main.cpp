// astrelle-render: runs the galaxy or composite preview of the engine, or the saver's
// whole universe animation, headless for a number of frames and writes the picture as a
// PNG, so the animation can be looked at (and checked by tests) without a display. The
// same options, settings and seed give the same file. It only reads the stored settings
// and templates, never writes them.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/colour.h"
#include "engine/headless_host.h"
#include "engine/preview.h"
#include "platform/profile_file.h"
#include "png_output.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/settings_model.h"
#include "settings/value_utils.h"
#include "universe_render.h"

namespace {

using namespace astrelle;

constexpr const char* kUsage =
    "usage: astrelle-render [options] OUTPUT.png\n"
    "       astrelle-render --help | --version\n"
    "  --galaxy N        preview galaxy type N (0..31); the default is --galaxy 0\n"
    "  --composite N     preview composite type N (0..15)\n"
    "  --universe        the saver's whole animation: universes are created, toured and\n"
    "                    left again, one after the other\n"
    "  --size WxH        picture size in pixels (default 800x600)\n"
    "  --frames N        frames to run before the picture is taken (1..32767, default 300;\n"
    "                    up to 2147483647 with --universe)\n"
    "  --every K         with --universe: also write every K-th frame up to N as\n"
    "                    OUTPUT-<frame>.png\n"
    "  --seed S          seed of the random source (0..2^64-1, default 1)\n"
    "  --stars N         stars of the galaxy (default 2500)\n"
    "  --trail N         trail length (default 2)\n"
    "  --pixel-size N    device pixels per star dot (1..9, default 1)\n"
    "  --focal F         focal length (0.01..9999, default 1)\n"
    "  --source factory  galaxy and composite types from the factory tables, the other\n"
    "                    values from the settings' defaults (default)\n"
    "  --source stored   everything from the stored settings (settings.ini in\n"
    "                    $ASTRELLE_CONFIG_DIR or ~/.config/astrelle); options given\n"
    "                    on the command line still win\n"
    "  --template FILE   with --universe: everything from a .glx template\n"
    "With --universe, --source factory means the factory settings (universe theme 1,\n"
    "the factory galaxy and composite types), and the picture size stands for the screen.\n";

enum class Source { Factory, Stored };

struct Options {
    Source source = Source::Factory;
    bool universe = false;
    std::string templatePath;
    int64_t every = 0;
    int width = 800;
    int height = 600;
    int64_t frames = 300;
    uint64_t seed = 1;
    std::optional<int16_t> galaxy;
    std::optional<int16_t> composite;
    std::optional<int32_t> stars;
    std::optional<int16_t> trail;
    std::optional<int16_t> pixelSize;
    std::optional<float> focal;
    std::string output;
};

struct UsageError {
    std::string message;
};

template <class T>
bool ParseWhole(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

int64_t WholeInRange(std::string_view option, std::string_view text, int64_t low, int64_t high) {
    int64_t v = 0;
    if (!ParseWhole(text, v) || v < low || v > high) {
        throw UsageError{std::string(option) + " needs a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", got '" + std::string(text) + "'"};
    }
    return v;
}

// Range of a setting as its definition gives it, so the tool accepts what the dialog does.
std::pair<int64_t, int64_t> RangeOf(std::string_view key) {
    const SettingDef* def = FindSetting(key);
    return {static_cast<int64_t>(def->low), static_cast<int64_t>(def->high)};
}

float DefaultOf(std::string_view key) {
    return ParseFloatOr(FindSetting(key)->missingText, 0.0f);
}

// Where the values that are not galaxy or composite rows come from: the settings' defaults,
// or the stored settings. Number and Whole hold a value to its setting's range as the
// engine would; Raw leaves it for the preview, which holds it to its own limits.
class ValueSource {
  public:
    explicit ValueSource(SettingsStore* store) : store_(store) {}
    float Number(std::string_view key) const {
        const SettingDef& def = *FindSetting(key);
        if (store_ == nullptr) return HoldFloat(def, DefaultOf(key));
        return HoldFloat(def, GetSettingFloat(*store_, def));
    }
    int16_t Whole(std::string_view key) const { return static_cast<int16_t>(Number(key)); }
    // As stored, not yet held to the setting's range (the preview holds it to its own).
    double Raw(std::string_view key) const {
        const SettingDef& def = *FindSetting(key);
        return store_ == nullptr ? DefaultOf(key) : GetSettingFloat(*store_, def);
    }

  private:
    SettingsStore* store_;
};

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        auto value = [&]() -> std::string_view {
            if (k + 1 >= argc) throw UsageError{std::string(arg) + " needs a value"};
            return argv[++k];
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg == "--version") {
            std::printf("astrelle-render %s\n", ASTRELLE_VERSION);
            std::exit(0);
        } else if (arg == "--galaxy") {
            o.galaxy = static_cast<int16_t>(WholeInRange(arg, value(), 0, kGalaxyTypeCount - 1));
        } else if (arg == "--composite") {
            o.composite = static_cast<int16_t>(WholeInRange(arg, value(), 0, kCompositeCount - 1));
        } else if (arg == "--universe") {
            o.universe = true;
        } else if (arg == "--frames") {
            o.frames = WholeInRange(arg, value(), 1, 2147483647);
        } else if (arg == "--every") {
            o.every = WholeInRange(arg, value(), 1, 2147483647);
        } else if (arg == "--template") {
            o.templatePath = std::string(value());
            if (o.templatePath.empty()) throw UsageError{"--template needs a file name"};
        } else if (arg == "--seed") {
            const std::string_view text = value();
            if (!ParseWhole(text, o.seed)) {
                throw UsageError{"--seed needs a whole number from 0 to 18446744073709551615, got '" +
                                 std::string(text) + "'"};
            }
        } else if (arg == "--size") {
            const std::string_view text = value();
            const size_t x = text.find('x');
            int w = 0;
            int h = 0;
            if (x == std::string_view::npos || !ParseWhole(text.substr(0, x), w) ||
                !ParseWhole(text.substr(x + 1), h) || w < 1 || h < 1 || w > 16384 || h > 16384) {
                throw UsageError{"--size needs WIDTHxHEIGHT with each from 1 to 16384, got '" +
                                 std::string(text) + "'"};
            }
            o.width = w;
            o.height = h;
        } else if (arg == "--stars") {
            const auto [low, high] = RangeOf("Universe_Stars");
            o.stars = static_cast<int32_t>(WholeInRange(arg, value(), low, high));
        } else if (arg == "--trail") {
            const auto [low, high] = RangeOf("Universe_STrail");
            o.trail = static_cast<int16_t>(WholeInRange(arg, value(), low, high));
        } else if (arg == "--pixel-size") {
            const auto [low, high] = RangeOf("PixelSize");
            o.pixelSize = static_cast<int16_t>(WholeInRange(arg, value(), low, high));
        } else if (arg == "--focal") {
            const std::string_view text = value();
            const SettingDef* def = FindSetting("FocalLength");
            if (!IsNumericText(text) || ParseFloatOr(text, -1.0f) < def->low ||
                ParseFloatOr(text, -1.0f) > def->high) {
                throw UsageError{"--focal needs a number from 0.01 to 9999, got '" + std::string(text) + "'"};
            }
            o.focal = ParseFloatOr(text, 1.0f);
        } else if (arg == "--source") {
            const std::string_view text = value();
            if (text == "stored") {
                o.source = Source::Stored;
            } else if (text != "factory")
                throw UsageError{"--source needs 'factory' or 'stored', got '" + std::string(text) + "'"};
        } else if (!arg.empty() && arg[0] == '-') {
            throw UsageError{"unknown option '" + std::string(arg) + "'"};
        } else if (o.output.empty()) {
            o.output = std::string(arg);
        } else {
            throw UsageError{"only one output file may be given ('" + o.output + "' and '" +
                             std::string(arg) + "')"};
        }
    }
    if (o.galaxy && o.composite) throw UsageError{"give either --galaxy or --composite, not both"};
    if (o.universe && (o.galaxy || o.composite)) {
        throw UsageError{"--universe shows no single galaxy or composite type"};
    }
    if (!o.universe && o.frames > 32767) throw UsageError{"a preview runs at most 32767 frames"};
    if (!o.universe && (o.every > 0 || !o.templatePath.empty())) {
        throw UsageError{"--every and --template need --universe"};
    }
    if (!o.templatePath.empty() && o.source == Source::Stored) {
        throw UsageError{"give either --source stored or --template, not both"};
    }
    if (o.output.empty()) throw UsageError{"no output file given"};
    return o;
}

int RenderUniverse(const Options& o) {
    using U = render::UniverseRenderOptions;
    U u;
    u.source = !o.templatePath.empty()
                   ? U::Source::Template
                   : (o.source == Source::Stored ? U::Source::Stored : U::Source::Factory);
    u.templatePath = o.templatePath;
    u.width = o.width;
    u.height = o.height;
    u.frames = o.frames;
    u.every = o.every;
    u.seed = o.seed;
    u.stars = o.stars;
    u.trail = o.trail;
    u.pixelSize = o.pixelSize;
    u.focal = o.focal;
    u.output = o.output;
    return render::RenderUniverse(u);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = ParseOptions(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "astrelle-render: %s\n\n%s", e.message.c_str(), kUsage);
        return 2;
    }
    if (options.universe) return RenderUniverse(options);

    GalaxyTypeTable types{};
    CompositeTable composites{};
    std::unique_ptr<FileSettingsStore> store;
    if (options.source == Source::Stored) {
        store = std::make_unique<FileSettingsStore>(FileSettingsStore::DefaultDirectory());
        LoadAllComposites(*store, composites);
        if (GetSettingInt16(*store, *FindSetting("AnimationType")) == -1) {
            // Before the saver's first run there are no galaxy types stored; the saver
            // would store the factory rows then, so they are what it would show.
            std::printf("no galaxy types stored in %s yet: using the factory galaxy types\n",
                        store->Path().c_str());
            LoadFactoryGalaxyTypes(types);
        } else {
            LoadAllGalaxyTypes(*store, types);
        }
    } else {
        LoadFactoryGalaxyTypes(types);
        LoadFactoryComposites(composites);
        for (int c = 0; c < kCompositeCount; ++c) ClampCompositeType(composites, c);
    }
    for (int t = 0; t < kGalaxyTypeCount; ++t) ClampGalaxyType(types, t);
    const ValueSource values(store.get());

    HeadlessHost host(options.seed);
    PixelSurface surface(options.width, options.height);
    EngineContext ctx(host, surface, types, composites);
    ctx.Settings.Adv_TimeDelay = 0;  // the headless clock does not wait anyway
    ctx.Settings.Universe_AmProf = values.Whole("Universe_AmProf");
    ctx.Geometry.PixelSize = options.pixelSize.value_or(values.Whole("PixelSize"));
    ctx.Geometry.FocalLength = options.focal.value_or(values.Number("FocalLength"));
    SetupSurface(ctx, SurfaceSize::Normal);
    BuildHueTable(ctx);
    BuildAllHueRamps(ctx, -1, -1, values.Whole("Universe_HW_Start"), values.Whole("Universe_HW_End"));

    PreviewParams p;
    p.subject = options.composite ? PreviewSubject::CompositeType : PreviewSubject::GalaxyType;
    p.typeIndex = options.composite ? *options.composite : options.galaxy.value_or(0);
    p.limited = true;
    p.frameLimit = static_cast<int16_t>(options.frames);
    PreviewInput input;
    input.stars = options.stars ? *options.stars : values.Raw("Universe_Stars");
    input.trail = options.trail ? *options.trail : values.Raw("Universe_STrail");
    input.ambientCount = values.Raw("Universe_AmStar");
    input.ambientPersistence = values.Raw("Universe_AmPers");
    input.ambientAgeStep = values.Raw("Universe_AmCAge");
    input.symmetry = values.Raw("Universe_Symetry");
    input.flareFrames = values.Raw("Universe_AmFrames");
    input.extension = values.Raw("Universe_AmMaxExt");
    HoldToPreviewLimits(input, p);
    const int32_t frames = RunPreview(ctx, p);

    std::string error;
    if (!render::WritePng(surface, options.output, error)) {
        std::fprintf(stderr, "astrelle-render: %s\n", error.c_str());
        return 1;
    }
    const int64_t lit = render::LitPixels(surface);
    const std::string name = p.subject == PreviewSubject::GalaxyType
                                 ? std::string(TrimBlanks(types[static_cast<size_t>(p.typeIndex)].Name))
                                 : composites[static_cast<size_t>(p.typeIndex)].Name;
    std::printf("wrote %s: %s %d (%s), %dx%d, %d frames, seed %llu, %lld lit pixels\n",
                options.output.c_str(), p.subject == PreviewSubject::GalaxyType ? "galaxy" : "composite",
                p.typeIndex, name.c_str(), options.width, options.height, frames,
                static_cast<unsigned long long>(options.seed), static_cast<long long>(lit));
    return 0;
}
