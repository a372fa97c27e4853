// Engine set-up: display and universe settings as a host loads them, and the host
// sequences of the window and of the preview box.
#include <gtest/gtest.h>

#include <string>

#include "engine/engine_setup.h"
#include "engine_test_support.h"
#include "settings/factory_tables.h"
#include "settings/registry_store.h"
#include "settings/value_utils.h"

namespace astrelle {
namespace {

using testing::EngineFixture;
using testing::Store;

TEST(LoadDisplaySettings, MessageFontAndGeometryAsTheWindowExpectsThem) {
    EngineFixture f;
    MemorySettingsStore store;
    const std::string sixty = "Gone fishing. Back soon, do not touch anything please....xyz";
    ASSERT_EQ(sixty.size(), 60u);
    Store(store, {{"Adv_FontName", ""},
                  {"LockMessage", "   " + sixty + "  "},
                  {"Adv_FontSize", "5"},
                  {"Adv_FontHueV", "400"},
                  {"Adv_TimeDelay", "5000"}});
    LoadDisplaySettings(f.ctx, store, 800, 600, SizeUnits::Pixels);
    const EngineSettings& st = f.ctx.Settings;
    EXPECT_EQ(st.MessageFontName, "MS Sans Serif");
    EXPECT_EQ(st.MessageText, sixty.substr(0, 50));
    EXPECT_EQ(st.MessageFontSize, 10);
    EXPECT_EQ(st.MessageHue, 359);
    EXPECT_EQ(st.Adv_TimeDelay, 5000);  // the frame delay is used as stored

    // Geometry from the inner size in pixels or in twips.
    Store(store, {{"FocalLength", "0"}, {"PixelSize", "12"}});
    LoadDisplaySettings(f.ctx, store, 1023, 767, SizeUnits::Pixels);
    const EngineGeometry& g = f.ctx.Geometry;
    EXPECT_EQ(g.CenterX, 512);  // 511.5 to the even 512
    EXPECT_FLOAT_EQ(g.InvFocalLength, 100.0f);
    EXPECT_EQ(g.PixelSize, 9);
    f.host.Process().TwipsPerPixelX = 12;
    f.host.Process().TwipsPerPixelY = 15;
    LoadDisplaySettings(f.ctx, store, 1800, 1500, SizeUnits::Twips);
    EXPECT_EQ(g.ScreenW, 150);
    EXPECT_EQ(g.ScreenH, 100);
    EXPECT_FLOAT_EQ(g.AspectHW, 100.0f / 150.0f);
}

TEST(LoadUniverseSettings, ThePreviewBoxGetsFewerStars) {
    EngineFixture f;
    MemorySettingsStore store;
    Store(store, {{"Universe_Stars", "2500"}, {"Universe_AmStar", "200"}});
    LoadUniverseSettings(f.ctx, store, HostKind::Window);
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 2500);
    EXPECT_EQ(f.ctx.Settings.Universe_AmStar, 200);
    LoadUniverseSettings(f.ctx, store, HostKind::PreviewBox);
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 1625);
    EXPECT_EQ(f.ctx.Settings.Universe_AmStar, 100);
    Store(store, {{"Universe_AmStar", "5"}, {"Universe_Stars", "90000"}});
    LoadUniverseSettings(f.ctx, store, HostKind::PreviewBox);
    EXPECT_EQ(f.ctx.Settings.Universe_AmStar, 2);     // 2.5 to the even 2
    EXPECT_EQ(f.ctx.Settings.Universe_Stars, 32767);  // the frame loop holds it to 30000
}

TEST(LoadUniverseSettings, ValuesAreReadAsStoredAndRowsHeldToTheirRanges) {
    EngineFixture f;
    MemorySettingsStore store;
    Store(store, {{"Universe_STrail", "2.5"},
                  {"Universe_Tour", "5"},
                  {"Universe_AmProf", "0"},
                  {"Universe_DstCen", "15000"},
                  {"Universe_Damping", "0.4"},
                  {"Universe_NewPctStEx", "70"},
                  {"Universe_HW_Start", "0"}});
    store.WriteText("Universe\\Galaxy3", "Galaxy_Radius", "31000");
    LoadUniverseSettings(f.ctx, store, HostKind::Window);
    const EngineSettings& st = f.ctx.Settings;
    EXPECT_EQ(st.Universe_STrail, 2);
    EXPECT_EQ(st.Universe_Tour, kTrue16);
    EXPECT_EQ(st.Universe_AmProf, kFalse16);
    EXPECT_FLOAT_EQ(st.Universe_DstCen, 15000.0f);  // converted later, by the run
    EXPECT_FLOAT_EQ(st.Universe_Damping, 0.4f);
    EXPECT_FLOAT_EQ(st.Universe_NewPctStEx, 70.0f);
    EXPECT_FLOAT_EQ(f.types[3].Radius, 30000.0f);
    EXPECT_EQ(f.types[0].Name, DefaultGalaxyName(0));  // nothing stored: the default row

    // The universe ramp follows the stored hue start.
    const uint32_t before = f.ctx.UniverseHueRamp[40];
    Store(store, {{"Universe_HW_Start", "120"}});
    LoadUniverseSettings(f.ctx, store, HostKind::Window);
    EXPECT_NE(f.ctx.UniverseHueRamp[40], before);
}

// Runs the host sequence until its first frame is drawn.

int32_t FirstFrameStars(EngineFixture& f, SettingsStore& store, HostKind kind) {
    int32_t stars = -1;
    RunSaverHostSequence(f.ctx, store, kind, [&](EngineContext& ctx, RuntimeArrays& a, const UniverseFrame&) {
        stars = a.StarCount;
        ctx.Host.Process().StopRequested = kTrue16;
    });
    return stars;
}

TEST(HostSequence, OnlyTheWindowStoresTheFactoryTypesOnAFirstRun) {
    {
        EngineFixture f;
        MemorySettingsStore store;
        f.host.Process().StopRequested = kTrue16;  // a stop left over from before is cleared
        EXPECT_EQ(FirstFrameStars(f, store, HostKind::PreviewBox), 1625);
        EXPECT_FALSE(store.ReadText("Universe\\Galaxy0", "_UniGalName").has_value());
        EXPECT_EQ(f.types[0].Name, DefaultGalaxyName(0));
        EXPECT_FALSE(f.ctx.HasDrawingSurface);
    }
    EngineFixture f;
    MemorySettingsStore store;
    EXPECT_EQ(FirstFrameStars(f, store, HostKind::Window), 2500);
    const std::string factoryName(TrimBlanks(GalaxyTypeName(0)));
    EXPECT_EQ(store.ReadText("Universe\\Galaxy0", "_UniGalName"), factoryName);
    EXPECT_EQ(f.types[0].Name, factoryName);
    EXPECT_TRUE(f.ctx.HasDrawingSurface);
}

// The preview box draws into a picture that is not ours: a long lock message must never
// be asked for there, however long it runs, while the window asks every 3000 ms.
TEST(HostSequence, OnlyTheWindowAsksForTheLockMessage) {
    constexpr int kFrames = 100;  // 100 frames of 100 ms: three refreshes are due
    for (HostKind kind : {HostKind::PreviewBox, HostKind::Window}) {
        EngineFixture f;
        MemorySettingsStore store;
        testing::StoreSmallUniverse(store, {{"Adv_TimeDelay", "100"}, {"LockMessage", "WWWWWWWWWWWW"}});
        int frames = 0;
        RunSaverHostSequence(f.ctx, store, kind,
                             [&](EngineContext& ctx, RuntimeArrays&, const UniverseFrame&) {
                                 if (++frames == kFrames) ctx.Host.Process().StopRequested = kTrue16;
                             });
        ASSERT_GE(f.host.TickCount(), 9000u);
        if (kind == HostKind::PreviewBox) {
            EXPECT_EQ(f.host.MessageRefreshes(), 0u);
        } else {
            EXPECT_GE(f.host.MessageRefreshes(), 3u);
        }
    }
}

}  // namespace
}  // namespace astrelle
