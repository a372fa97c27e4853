// End-to-end reference runs: seeded headless runs on a 160 x 120 surface, one for each
// phase that matters, compared at chosen frames with the digests in tests/engine/references
// (a line per checkpoint: frame, digest parts, place in the run; beside it its picture). A
// mismatch names the first differing frame and what differs there, and writes the actual
// and the difference picture. scripts/update-references rewrites the references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <sstream>
#include <vector>

#include "engine/engine_setup.h"
#include "engine/preview.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"

#if ASTRELLE_TEST_PNG
#include <png.h>
#endif

namespace astrelle {
namespace {

constexpr size_t kDigestParts = 7;
using Digest = std::array<uint64_t, kDigestParts>;
constexpr const char* kPartNames[kDigestParts] = {"picture", "stars",  "ambient", "comets",
                                                  "objects", "camera", "host"};
const std::string kReferenceDir = ASTRELLE_SOURCE_DIR "/tests/engine/references";
const std::string kOutputDir = ASTRELLE_BINARY_DIR "/test-output/reference-runs";

// 64-bit FNV-1a over the bytes of numbers, arrays and texts.
class Hash {
  public:
    Hash& Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) value_ = (value_ ^ p[i]) * 0x100000001B3ull;
        return *this;
    }
    template <class T>
    Hash& operator<<(const T& v) {
        if constexpr (std::is_arithmetic_v<T>) {
            return Bytes(&v, sizeof v);
        } else if constexpr (std::is_same_v<T, Vec3>) {
            return *this << v.x << v.y << v.z;
        } else {  // vectors, arrays and strings of numbers
            return Bytes(v.data(), v.size() * sizeof(v[0]));
        }
    }
    uint64_t Value() const { return value_; }

  private:
    uint64_t value_ = 0xCBF29CE484222325ull;
};

// The surface row by row in 0x00RRGGBB, as the digests were first taken.
std::vector<uint32_t> AllPixels(const PixelSurface& s) {
    std::vector<uint32_t> pixels(static_cast<size_t>(s.Width()) * static_cast<size_t>(s.Height()));
    for (int y = 0; y < s.Height(); ++y)
        s.ReadRow(y, 0,
                  std::span(pixels).subspan(static_cast<size_t>(y) * static_cast<size_t>(s.Width()),
                                            static_cast<size_t>(s.Width())));
    return pixels;
}

Digest Take(const EngineContext& ctx, const RuntimeArrays& a, uint64_t schedule) {
    Hash picture, stars, ambient, comets, objects, camera, host;
    picture << AllPixels(ctx.Surface);
    stars << a.StarRadius << a.StarAngle << a.StarAngVel << a.StarHeight << a.StarColor << a.StarType
          << a.StarGalaxy << a.StarAge << a.StarRebirthWait << a.StarNewLeft << a.StarNovaLeft << a.BurstX
          << a.BurstY << a.BurstZ << a.NovaX << a.NovaY << a.NovaZ << a.BurstFrames << a.BurstExt << a.TrailX
          << a.TrailY << a.TrailCursor;
    ambient << a.AmbX << a.AmbY << a.AmbZ << a.AmbDeltaX << a.AmbDeltaY << a.AmbDeltaZ << a.AmbScreenX
            << a.AmbScreenY << a.AmbFlareLeft << a.AmbAge;
    comets << a.CometActive << a.CometLive << a.CometRadius << a.CometHeight << a.CometAngle << a.CometAngVel
           << a.ParticleX << a.ParticleY << a.ParticleZ << a.ParticleVX << a.ParticleVY << a.ParticleVZ
           << a.EvtPixelX << a.EvtPixelY << a.ParticleAge << a.EvtPixelDrawn << a.EvtSlotStride;
    objects << a.GalViewX << a.GalViewY << a.GalViewZ << a.GalWorldX << a.GalWorldY << a.GalWorldZ
            << a.GalVelX << a.GalVelY << a.GalVelZ << a.GalType << a.TypeSpinAngle << a.TypeSpinSin
            << a.TypeSpinCos << a.TypeHueAngle << a.BirthX << a.BirthY << a.BirthZ << a.BirthVelX
            << a.BirthVelY << a.BirthVelZ << a.BirthState << a.BirthAge << a.GalDriftX << a.GalDriftY
            << a.GalDriftZ << a.TypeWeightSum << ctx.CurrentGalType << ctx.GravityCounter;
    for (const GalaxyTypeRecord& row : ctx.GalaxyTypes) objects << row.CompositeFlag << row.Weight;
    camera << a.Camera << a.PrevCamera << a.Control[0] << a.Control[1] << a.Control[2] << a.Control[3]
           << a.TourStep << a.ExpandStep << a.ExpandRadius << schedule;
    const EngineSettings& st = ctx.Settings;
    const EngineGeometry& g = ctx.Geometry;
    host << ctx.Host.TickCount() << ctx.Host.Process().StopRequested << ctx.FrameStartTick
         << ctx.LastMessageTick << ctx.HasDrawingSurface << st.MessageText << st.MessageFontName
         << st.MessageFontSize << st.MessageHue << st.Adv_TimeDelay << st.Universe_Stars << st.Universe_AmStar
         << g.ScreenW << g.ScreenH << g.CenterX << g.CenterY << g.FocalLength << g.CenterXFocal
         << g.CenterYFocal << g.AspectHW << g.InvFocalLength << g.PixelSize;
    return {picture.Value(), stars.Value(),  ambient.Value(), comets.Value(),
            objects.Value(), camera.Value(), host.Value()};
}

#if ASTRELLE_TEST_PNG
std::string PicturePath(const std::string& dir, const std::string& name, int64_t frame,
                        const std::string& suffix = "") {
    return dir + "/" + name + "-" + std::to_string(frame) + suffix + ".png";
}

std::vector<uint8_t> Rgb(const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgb;
    for (uint32_t p : pixels) {
        for (int shift : {16, 8, 0}) rgb.push_back(static_cast<uint8_t>(p >> shift));
    }
    return rgb;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& path, size_t size, std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0 && rgb.size() == size;
}

// Unchanged pixels dimmed; red where only the reference is lit, green where only the run
// is, yellow where both are lit in different colours.
std::vector<uint8_t> Difference(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual) {
    std::vector<uint8_t> out(actual.size());
    for (size_t i = 0; i < actual.size(); i += 3) {
        const bool same = std::equal(&actual[i], &actual[i] + 3, &expected[i]);
        const bool wasLit = (expected[i] | expected[i + 1] | expected[i + 2]) != 0;
        const bool isLit = (actual[i] | actual[i + 1] | actual[i + 2]) != 0;
        for (size_t c = 0; c < 3; ++c) {
            out[i + c] = same ? static_cast<uint8_t>(actual[i + c] / 4)
                              : ((c == 0 && wasLit) || (c == 1 && isLit) ? 255 : 0);
        }
    }
    return out;
}
#endif

// Digests and pictures of the checkpoints of one run, compared after it.
class ReferenceRun {
  public:
    ReferenceRun(std::string name, std::vector<int64_t> checkpoints)
        : name_(std::move(name)), checkpoints_(std::move(checkpoints)) {}

    // Every frame of the run, counted from 1; where describes it for the messages.
    void See(const EngineContext& ctx, const RuntimeArrays& a, std::string_view where, int64_t frame) {
        schedule_ = Hash().Bytes(&schedule_, sizeof schedule_).Bytes(where.data(), where.size()).Value();
        if (std::find(checkpoints_.begin(), checkpoints_.end(), frame) == checkpoints_.end()) return;
        seen_.push_back({frame, std::string(where), Take(ctx, a, schedule_)});
        width_ = ctx.Surface.Width();
        height_ = ctx.Surface.Height();
        pictures_.push_back(AllPixels(ctx.Surface));
    }

    // Fails the test at the first checkpoint that differs from the reference.
    void Check();
    int64_t LastCheckpoint() const { return checkpoints_.back(); }

  private:
    struct Checkpoint {
        int64_t frame = 0;
        std::string where;
        Digest digest{};
    };
    std::string name_;
    std::vector<int64_t> checkpoints_;
    std::vector<Checkpoint> seen_;
    std::vector<std::vector<uint32_t>> pictures_;  // 0x00RRGGBB of each checkpoint seen
    int width_ = 0;
    int height_ = 0;
    uint64_t schedule_ = 0;  // every frame's place in the run, in order
};

void ReferenceRun::Check() {
    ASSERT_EQ(seen_.size(), checkpoints_.size()) << name_ << ": the run ended before its last checkpoint";
    const std::string file = kReferenceDir + "/" + name_ + ".txt";
    if (std::getenv("ASTRELLE_UPDATE_REFERENCES") != nullptr) {
        std::ofstream out(file);
        out << "# frame, digests of picture stars ambient comets objects camera host, place in the run\n";
        for (size_t k = 0; k < seen_.size(); ++k) {
            out << std::dec << seen_[k].frame << std::hex;
            for (uint64_t part : seen_[k].digest) out << " " << part;
            out << " " << seen_[k].where << "\n";
#if ASTRELLE_TEST_PNG
            WritePng(PicturePath(kReferenceDir, name_, seen_[k].frame), width_, height_, Rgb(pictures_[k]));
#endif
        }
        return;
    }
    std::map<int64_t, Checkpoint> stored;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Checkpoint c;
        fields >> c.frame >> std::hex;
        for (uint64_t& part : c.digest) fields >> part;
        std::getline(fields >> std::ws, c.where);
        stored[c.frame] = c;
    }
    for (size_t k = 0; k < seen_.size(); ++k) {
        const Checkpoint& c = seen_[k];
        const auto ref = stored.find(c.frame);
        std::string parts = ref == stored.end() ? "no reference (scripts/update-references writes it)" : "";
        for (size_t p = 0; ref != stored.end() && p < kDigestParts; ++p) {
            if (ref->second.digest[p] != c.digest[p])
                parts += std::string(parts.empty() ? "" : ", ") + kPartNames[p];
        }
        if (ref != stored.end() && ref->second.where != c.where)
            parts += " (the reference is at " + ref->second.where + ")";
        if (parts.empty()) continue;
        std::string pictures = " (built without libpng: no pictures)";
#if ASTRELLE_TEST_PNG
        std::filesystem::create_directories(kOutputDir);
        const std::vector<uint8_t> actual = Rgb(pictures_[k]);
        const std::string actualPath = PicturePath(kOutputDir, name_, c.frame, "-actual");
        WritePng(actualPath, width_, height_, actual);
        pictures = "; its picture: " + actualPath;
        std::vector<uint8_t> expected;
        if (ReadPng(PicturePath(kReferenceDir, name_, c.frame), actual.size(), expected)) {
            const std::string diffPath = PicturePath(kOutputDir, name_, c.frame, "-difference");
            WritePng(diffPath, width_, height_, Difference(expected, actual));
            pictures += ", the difference from the reference (red gone, green new): " + diffPath;
        }
#endif
        ADD_FAILURE() << name_ << ": first difference at frame " << c.frame << " (" << c.where
                      << "): " << parts << pictures;
        return;
    }
}

// "creation 7", "visit 2.4 t=0.500", "return 1 t=0.000", the cycle from the second on.
std::string Describe(const UniverseFrame& frame) {
    // t in thousandths, written by hand: the text must not depend on a C library's printf.
    const long thousandths = std::lround(frame.t * 1000.0);
    const std::string t =
        std::to_string(thousandths / 1000) + "." + std::to_string(1000 + thousandths % 1000).substr(1);
    const std::string cycle = frame.cycle > 0 ? "cycle " + std::to_string(frame.cycle) + " " : "";
    switch (frame.phase) {
        case UniversePhase::Creation:
            return cycle + "creation " + std::to_string(frame.creationFrame);
        case UniversePhase::Visit:
            return cycle + "visit " + std::to_string(frame.g) + "." + std::to_string(frame.k) + " t=" + t;
        case UniversePhase::ReturnLeg:
            break;
    }
    return cycle + "return " + std::to_string(frame.k) + " t=" + t;
}

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Factory types and composites, the comet types with every event turned up.
void RunPreviewReference(const char* name, const PreviewParams& params, int16_t pixelSize, float focalLength,
                         std::vector<int64_t> checkpoints) {
    testing::EngineFixture f(kWidth, kHeight, 17);
    LoadFactoryGalaxyTypes(f.types);
    LoadFactoryComposites(f.composites);
    for (GalaxyTypeRecord& r : f.types) {
        if (r.CometFreq < 600) continue;
        r.NewFreq = 2500;
        r.NovaFreq = 3000;
        r.CometStars = 30;
    }
    BuildHueTable(f.ctx);
    BuildAllHueRamps(f.ctx, -1, -1, 30, 300);
    f.ctx.Geometry.PixelSize = pixelSize;
    f.ctx.Geometry.FocalLength = focalLength;
    f.ctx.Settings.Adv_TimeDelay = 15;
    SetupSurface(f.ctx, SurfaceSize::Normal);
    ReferenceRun run(name, std::move(checkpoints));
    RunPreview(f.ctx, params, [&](EngineContext& ctx, RuntimeArrays& a, int32_t frame) {
        run.See(ctx, a, "preview", frame);
    });
    run.Check();
}

// A universe cycle and the start of the next through the host sequence, with the factory
// settings, every type busy with novas and comets, and message and font values outside
// their ranges.
void RunUniverseReference(const char* name, HostKind kind, std::string_view overrides,
                          std::vector<int64_t> checkpoints) {
    testing::EngineFixture f(kWidth, kHeight, 23);
    MemorySettingsStore store;
    StoreFactorySettings(store);
    testing::StoreFactoryTypes(store);
    testing::Store(
        store,
        "Adv_TimeDelay=20 Adv_FontName= Adv_FontSize=5 Adv_FontHueV=400 Universe_Stars=700 "
        "Universe_Galaxy=3 Universe_STrail=3 Universe_ESteps=40 Universe_GSteps=6 Universe_GPCtrl=2 "
        "Universe_GCCtrl=3 Universe_NewFreq=600 Universe_AmStar=40 Universe_AmPers=0.97 "
        "Universe_AmCAge=0.8 Universe_AmFrames=12 Universe_AmMaxExt=3000");
    store.WriteText("General", "LockMessage",
                    "   Out among the stars; back in a while, please wait for me!  ");
    for (int t = 0; t < kGalaxyTypeCount; ++t) {
        for (auto [key, text] : {std::pair{"Galaxy_NovaFreq", "2000"}, {"Galaxy_CometFreq", "900"}}) {
            store.WriteText(GalaxyRegistrySection(t), key, text);
        }
    }
    testing::Store(store, overrides);
    if (kind == HostKind::PreviewBox) f.host.Process().RunMode = RunModeValue::Preview;
    ReferenceRun run(name, std::move(checkpoints));
    RunSaverHostSequence(f.ctx, store, kind,
                         [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame& fr) {
                             run.See(ctx, a, Describe(fr), fr.frameInRun + 1);
                             if (fr.frameInRun + 1 == run.LastCheckpoint())
                                 ctx.Host.Process().StopRequested = kTrue16;
                         });
    run.Check();
}

// Type 5 (solar wind comets): 120 frames of 800 stars, trail 3, 60 ambient stars that are
// replaced, age fast and flare with a wide extension.
TEST(ReferenceRuns, GalaxyPreviewWithCometsNovasAndAmbientReplacements) {
    RunPreviewReference("galaxy-preview",
                        {5, PreviewSubject::GalaxyType, true, 120, 800, 3, 60, 0.97f, 0.9f, 0.3f, 12, 30000},
                        1, 1.0f, {1, 40, 120});
}

// Composite 13 (seven member types), dots of 3 pixels, an ambient shell (symmetry 1).
TEST(ReferenceRuns, CompositePreviewWithLargeDots) {
    RunPreviewReference(
        "composite-preview",
        {13, PreviewSubject::CompositeType, true, 80, 900, 2, 50, 0.95f, 2.0f, 1.0f, 8, 60000}, 3, 1.5f,
        {1, 80});
}

// The creation, every step of three visits with comets and novas, the pull-back and the
// clear before the next universe; ambient stars placed in shells.
TEST(ReferenceRuns, UniverseCycleWithCometsAndNovas) {
    RunUniverseReference("universe", HostKind::Window, "", {13, 40, 44, 58, 75, 79, 100, 135, 149, 166, 169});
}

// Sequential types, a flat "Standard" universe profile that is taller than wide, ambient
// stars by the profile and ageing faster than their range allows, gravity, the tour
// switched off, a trail stored as 2.5, large dots, a long focal length.
TEST(ReferenceRuns, UniverseByProfileWithGravityAndNoTour) {
    RunUniverseReference(
        "universe-profile", HostKind::Window,
        "Universe_AmProf=1 Universe_Profile=0 Universe_HWRatio=2.5 Universe_Symetry=0.5 "
        "Universe_Damping=0.5 Universe_GVisit=1 Universe_GravForce=40000 Universe_GravFrame=2 "
        "Universe_Tour=0 Universe_STrail=2.5 Universe_AmCAge=12 PixelSize=2 FocalLength=0.8",
        {13, 40, 58, 79, 135, 149, 166, 169});
}

// The display settings' preview box: fewer stars, no clearing between universes, a pause
// after every creation frame, an "Outer-Hyperbolic" universe.
TEST(ReferenceRuns, PreviewBoxAcrossTwoUniverses) {
    RunUniverseReference("preview-box", HostKind::PreviewBox,
                         "Universe_ESteps=10 Universe_Galaxy=2 Universe_GSteps=3 Universe_GPCtrl=1 "
                         "Universe_GCCtrl=1 Universe_Profile=5",
                         {5, 10, 17, 25, 34, 36, 42});
}

// Stored values outside their ranges, held by the run: no damping, a trail of 0, the
// lowest persistence, no approach or core steps, no expansion (nothing moves apart and
// "Standard" would divide by the radius), ambient stars by the profile.
TEST(ReferenceRuns, UniverseOfValuesOutsideTheirRanges) {
    RunUniverseReference(
        "held-values", HostKind::Window,
        "Universe_Damping=-3 Universe_STrail=0 Universe_Persist=0.1 Universe_GPCtrl=0 "
        "Universe_GCCtrl=-4 Universe_Expand=0 Universe_Profile=0 Universe_AmProf=1 "
        "Universe_GravFrame=0 Universe_NewPctStEx=150 Universe_AmPers=0.1 Universe_Galaxy=1000 "
        "Universe_Stars=5 Universe_AmMaxExt=99999",
        {10, 40, 45, 60});
}

}  // namespace
}  // namespace astrelle
