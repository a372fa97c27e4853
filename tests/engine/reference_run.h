// The recorder of the reference runs: digests of the picture and of the state at chosen
// frames, compared with (or, with ASTRELLE_UPDATE_REFERENCES set, written to) the
// reference files; on a mismatch the actual and the difference picture of the first
// differing frame go to the test output folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_state.h"
#include "engine/frame_loop.h"

namespace astrelle::testing {

// What a digest covers; a mismatch names the parts that differ.
enum class DigestPart : uint8_t { Picture, Stars, Ambient, Comets, Objects, Camera, Host, Count };
inline constexpr size_t kDigestParts = static_cast<size_t>(DigestPart::Count);
using Digest = std::array<uint64_t, kDigestParts>;

class ReferenceRun {
  public:
    ReferenceRun(std::string name, std::vector<int64_t> checkpoints);

    // Every frame of the run, counted from 1; where describes it for the messages.
    void See(const EngineContext& ctx, const RuntimeArrays& arrays, std::string_view where, int64_t frame);
    // After the run: fails the test at the first checkpoint that differs from the reference.
    void Check();

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
    uint64_t schedule_ = 0;  // every frame's description, in order
};

// "creation 7", "visit 2.4 t=0.5", "return 1 t=0" (with the cycle from the second on).
std::string Describe(const UniverseFrame& frame);

}  // namespace astrelle::testing
