// The settings file under several processes: a writer killed at random moments never
// leaves a damaged or mixed file, and two writers at once lose no value.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "platform/profile_text.h"
#include "test_support.h"

namespace astrelle {
namespace {

using testing::CountFilesStartingWith;
using testing::ReadFileBytes;
using testing::RunInChild;
using testing::ScratchDir;

constexpr int kKeysPerRound = 120;

std::string SectionOf(int k) {
    return "Universe\\Galaxy" + std::to_string(k % 32);
}
std::string KeyOf(int k) {
    return "Key" + std::to_string(k);
}

// Stores round n in every key, in one batch, as a bulk save does.
bool StoreRound(FileSettingsStore& store, int n) {
    StoreBatch batch(store);
    for (int k = 0; k < kKeysPerRound; ++k) store.WriteText(SectionOf(k), KeyOf(k), std::to_string(n));
    store.WriteText("General", "LockMessage", "round " + std::to_string(n) + std::string(300, '.'));
    return batch.Commit();
}

TEST(SettingsFileProcesses, AKilledWriterLeavesTheOldOrTheNewFile) {
    ScratchDir dir;
    {
        FileSettingsStore store(dir.path());
        ASSERT_TRUE(StoreRound(store, 0));
    }
    std::mt19937 rng(2024);
    int lastRound = 0;
    int killedMidway = 0;
    for (int attempt = 0; attempt < 60; ++attempt) {
        const int start = lastRound + 1;
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            FileSettingsStore store(dir.path());
            for (int n = start;; ++n) StoreRound(store, n);
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);

        // Parse the file as it is on disk: every key present and all from one round.
        ProfileText doc(ReadFileBytes(dir / "settings.ini"));
        auto first = doc.Find(SectionOf(0), KeyOf(0));
        ASSERT_TRUE(first.has_value()) << "attempt " << attempt;
        const int round = std::stoi(std::string(*first));
        for (int k = 0; k < kKeysPerRound; ++k) {
            auto v = doc.Find(SectionOf(k), KeyOf(k));
            ASSERT_TRUE(v.has_value()) << "attempt " << attempt << " key " << k;
            ASSERT_EQ(*v, std::to_string(round)) << "attempt " << attempt << " key " << k;
        }
        ASSERT_EQ(doc.Find("General", "LockMessage"),
                  "round " + std::to_string(round) + std::string(300, '.'));
        ASSERT_GE(round, lastRound);
        if (CountFilesStartingWith(dir.path(), "settings.ini.tmp") > 0) ++killedMidway;
        lastRound = round;
    }
    // The lock died with the writer, and the next writer clears its half-written leftovers.
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(StoreRound(store, lastRound + 1));
    EXPECT_EQ(CountFilesStartingWith(dir.path(), "settings.ini.tmp"), 0);
    EXPECT_GT(lastRound, 0);
    std::cout << "rounds completed: " << lastRound << ", kills during a write: " << killedMidway << "\n";
}

TEST(SettingsFileProcesses, TwoWritersAtOnceLoseNoValue) {
    ScratchDir dir;
    constexpr int kWritesEach = 80;
    auto writer = [&](const std::string& prefix) {
        return [&dir, prefix] {
            FileSettingsStore store(dir.path());
            for (int i = 0; i < kWritesEach; ++i) {
                if (!store.WriteText(SectionOf(i), prefix + std::to_string(i), prefix + std::to_string(i)))
                    return 1;
            }
            return 0;
        };
    };
    const auto exitedWell = [](pid_t pid) {
        int status = 0;
        return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    pid_t a = ::fork();
    if (a == 0) ::_exit(writer("saver")());
    pid_t b = ::fork();
    if (b == 0) ::_exit(writer("dialog")());
    ASSERT_TRUE(exitedWell(a));
    ASSERT_TRUE(exitedWell(b));

    FileSettingsStore store(dir.path());
    for (int i = 0; i < kWritesEach; ++i) {
        for (const std::string prefix : {"saver", "dialog"}) {
            EXPECT_EQ(store.ReadText(SectionOf(i), prefix + std::to_string(i)), prefix + std::to_string(i));
        }
    }
}

}  // namespace
}  // namespace astrelle
