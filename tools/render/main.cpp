// astrelle-render: runs the galaxy or composite preview of the engine headless for a
// number of frames and writes the picture as a PNG, so the animation can be looked at
// (and checked by tests) without a display. The same options, settings and seed give the
// same file. It only reads the stored settings, never writes them.
#include <png.h>

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
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/settings_model.h"
#include "settings/value_utils.h"

namespace {

using namespace astrelle;

constexpr const char* kUsage =
    "usage: astrelle-render [options] OUTPUT.png\n"
    "  --galaxy N        preview galaxy type N (0..31); the default is --galaxy 0\n"
    "  --composite N     preview composite type N (0..15)\n"
    "  --size WxH        picture size in pixels (default 800x600)\n"
    "  --frames N        frames to run before the picture is taken (1..32767, default 300)\n"
    "  --seed S          seed of the random source (0..2^64-1, default 1)\n"
    "  --stars N         stars of the galaxy (default 2500)\n"
    "  --trail N         trail length (default 2)\n"
    "  --pixel-size N    device pixels per star dot (1..9, default 1)\n"
    "  --focal F         focal length (0.01..9999, default 1)\n"
    "  --source factory  galaxy and composite types from the factory tables, the other\n"
    "                    values from the settings' defaults (default)\n"
    "  --source stored   everything from the stored settings (settings.ini in\n"
    "                    $ASTRELLE_CONFIG_DIR or ~/.config/astrelle); options given\n"
    "                    on the command line still win\n";

enum class Source { Factory, Stored };

struct Options {
    Source source = Source::Factory;
    int width = 800;
    int height = 600;
    int16_t frames = 300;
    uint64_t seed = 1;
    std::optional<int16_t> galaxy;
    std::optional<int16_t> composite;
    std::optional<int16_t> stars;
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
// or the stored settings, each value held to its range as the engine would hold it.
class ValueSource {
  public:
    explicit ValueSource(SettingsStore* store) : store_(store) {}
    float Number(std::string_view key) const {
        const SettingDef& def = *FindSetting(key);
        if (store_ == nullptr) return HoldFloat(def, DefaultOf(key));
        return HoldFloat(def, GetSettingFloat(*store_, def));
    }
    int16_t Whole(std::string_view key) const { return static_cast<int16_t>(Number(key)); }

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
        } else if (arg == "--galaxy") {
            o.galaxy = static_cast<int16_t>(WholeInRange(arg, value(), 0, kGalaxyTypeCount - 1));
        } else if (arg == "--composite") {
            o.composite = static_cast<int16_t>(WholeInRange(arg, value(), 0, kCompositeCount - 1));
        } else if (arg == "--frames") {
            o.frames = static_cast<int16_t>(WholeInRange(arg, value(), 1, 32767));
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
            o.stars = static_cast<int16_t>(WholeInRange(arg, value(), low, high));
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
    if (o.output.empty()) throw UsageError{"no output file given"};
    return o;
}

void WriteRows(png_structp png, const PixelSurface& surface, std::vector<png_byte>& row) {
    const uint32_t* pixels = surface.NativePixels();
    const size_t width = static_cast<size_t>(surface.Width());
    for (int y = 0; y < surface.Height(); ++y) {
        for (size_t x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];  // 0x00RRGGBB
            row[x * 3] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
}

// libpng reports errors by longjmp; nothing here is used after one but the result.
bool EncodePng(png_structp png, png_infop info, FILE* file, const PixelSurface& surface,
               std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
                 static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    WriteRows(png, surface, row);
    png_write_end(png, nullptr);
    return true;
}

// Writes the surface as an 8-bit RGB PNG without time stamps, first to a temporary file
// that then replaces the target, so a failed run never leaves half a picture behind.
bool WritePng(const PixelSurface& surface, const std::string& path, std::string& error) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write '" + temporary + "'";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(static_cast<size_t>(surface.Width()) * 3);
    bool ok = png != nullptr && info != nullptr && EncodePng(png, info, file, surface, row);
    png_destroy_write_struct(&png, &info);
    ok = (std::fclose(file) == 0) && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(temporary.c_str());
        error = "writing '" + path + "' failed";
    }
    return ok;
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
    p.frameLimit = options.frames;
    p.stars = options.stars.value_or(values.Whole("Universe_Stars"));
    p.trail = options.trail.value_or(values.Whole("Universe_STrail"));
    p.ambientCount = values.Whole("Universe_AmStar");
    p.ambientPersistence = values.Number("Universe_AmPers");
    p.ambientAgeStep = values.Number("Universe_AmCAge");
    p.symmetry = values.Number("Universe_Symetry");
    p.flareFrames = values.Whole("Universe_AmFrames");
    p.extension = values.Number("Universe_AmMaxExt");
    const int32_t frames = RunPreview(ctx, p);

    std::string error;
    if (!WritePng(surface, options.output, error)) {
        std::fprintf(stderr, "astrelle-render: %s\n", error.c_str());
        return 1;
    }
    int64_t lit = 0;
    const uint32_t* pixels = surface.NativePixels();
    for (size_t k = 0; k < static_cast<size_t>(options.width) * static_cast<size_t>(options.height); ++k) {
        lit += pixels[k] != 0 ? 1 : 0;
    }
    const std::string name = p.subject == PreviewSubject::GalaxyType
                                 ? std::string(TrimBlanks(types[static_cast<size_t>(p.typeIndex)].Name))
                                 : composites[static_cast<size_t>(p.typeIndex)].Name;
    std::printf("wrote %s: %s %d (%s), %dx%d, %d frames, seed %llu, %lld lit pixels\n",
                options.output.c_str(), p.subject == PreviewSubject::GalaxyType ? "galaxy" : "composite",
                p.typeIndex, name.c_str(), options.width, options.height, frames,
                static_cast<unsigned long long>(options.seed), static_cast<long long>(lit));
    return 0;
}
