// The platform services on either system: the clock moves in milliseconds, seeds differ,
// the environment and the program's own path are found, and the file probe never touches
// what exists.

#include "platform/services.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace astrelle {
namespace {

namespace fs = std::filesystem;

TEST(PlatformServices, ClocksAndSeeds) {
    const uint32_t before = TickCountMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const uint32_t elapsed = TickCountMs() - before;  // wrapping difference, as the engine takes it
    EXPECT_GE(elapsed, 55u);
    EXPECT_LT(elapsed, 5000u);

    const double seconds = SecondsSinceMidnight();
    EXPECT_GE(seconds, 0.0);
    EXPECT_LT(seconds, 86400.0);

    std::set<uint64_t> seeds;
    for (int i = 0; i < 100; ++i) seeds.insert(ClockSeed());
    EXPECT_EQ(seeds.size(), 100u);
}

TEST(PlatformServices, EnvironmentAndProgram) {
    const std::string name = "ASTRELLE_SERVICES_TEST_" + std::to_string(CurrentProcessId());
    EXPECT_EQ(EnvironmentValue(name), std::nullopt);
    ASSERT_TRUE(SetEnvironmentValue(name, "Étoile 星"));
    EXPECT_EQ(EnvironmentValue(name), "Étoile 星");
    ASSERT_TRUE(SetEnvironmentValue(name, ""));
    EXPECT_EQ(EnvironmentValue(name).value_or("<unset>"), "");
    EXPECT_FALSE(SetEnvironmentValue("", "x"));

    const std::string self = ExecutablePath();
    EXPECT_NE(self.find("platform_tests"), std::string::npos) << self;
    EXPECT_TRUE(PathExists(self));
    EXPECT_FALSE(PathExists(self + ".missing"));
    EXPECT_FALSE(HomeFolder().empty());
}

TEST(PlatformServices, TheCreateProbeLeavesEverythingAsItWas) {
    const fs::path dir = fs::temp_directory_path() / ("astrelle-probe-" + std::to_string(CurrentProcessId()));
    fs::create_directories(dir);
    const std::string fresh = (dir / "fresh.glx").string();
    const std::string taken = (dir / "taken.glx").string();
    std::ofstream(taken) << "keep me";

    EXPECT_EQ(ProbeCreateFile(fresh), CreateProbe::Created);
    EXPECT_FALSE(PathExists(fresh));
    EXPECT_EQ(ProbeCreateFile(taken), CreateProbe::NameTaken);
    EXPECT_EQ(ProbeCreateFile((dir / "no-folder" / "x.glx").string()), CreateProbe::Failed);
    std::ifstream in(taken);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep me");
    EXPECT_GE(MaxFileNameLength(dir.string()), 255u);
    in.close();
    fs::remove_all(dir);
}

}  // namespace
}  // namespace astrelle
