// astrelle-render --universe: runs the saver's whole animation headless (creation, tour,
// pull-back, next universe) with the settings of the settings file, the factory settings
// or a template, and writes the picture after a given frame, optionally also every K-th
// frame before it as a numbered sequence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace astrelle::render {

struct UniverseRenderOptions {
    enum class Source { Factory, Stored, Template };
    Source source = Source::Factory;
    std::string templatePath;  // Source::Template
    int width = 800;
    int height = 600;
    int64_t frames = 300;  // the picture is taken after this frame of the run (from 1)
    int64_t every = 0;     // also write every K-th frame; 0 = none
    uint64_t seed = 1;
    // Values given on the command line win over the chosen settings.
    std::optional<int32_t> stars;
    std::optional<int16_t> trail;
    std::optional<int16_t> pixelSize;
    std::optional<float> focal;
    std::string output;
};

// Runs the animation and writes the pictures; returns the process exit code (0, or 1 when
// a file could not be read or written, with a message on stderr).
int RenderUniverse(const UniverseRenderOptions& options);

// "shot.png" with frame 250 of at most 99999 -> "shot-00250.png": the frame number with
// as many digits as the last frame has, before the extension.
std::string SequenceName(const std::string& output, int64_t frame, int64_t lastFrame);

}  // namespace astrelle::render
