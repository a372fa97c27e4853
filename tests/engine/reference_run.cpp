// Digests, reference files and pictures of the reference runs. Reference files are text:
// one line per checkpoint with the frame, the digest parts in hexadecimal and where the
// frame lies in the run; beside each, the picture of every checkpoint (PNG).
#include "reference_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#if ASTRELLE_TEST_PNG
#include <png.h>
#endif

namespace astrelle::testing {

namespace {

constexpr const char* kPartNames[kDigestParts] = {"picture", "stars",  "ambient", "comets",
                                                  "objects", "camera", "host"};

const std::string kReferenceDir = ASTRELLE_SOURCE_DIR "/tests/engine/references";
const std::string kOutputDir = ASTRELLE_BINARY_DIR "/test-output/reference-runs";

// 64-bit FNV-1a over the bytes of values and arrays.
class Hash {
  public:
    Hash& Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) value_ = (value_ ^ p[i]) * 0x100000001B3ull;
        return *this;
    }
    template <class T>
    Hash& operator<<(const std::vector<T>& v) {
        return Bytes(v.data(), v.size() * sizeof(T));
    }
    template <class T, size_t N>
    Hash& operator<<(const std::array<T, N>& v) {
        return Bytes(v.data(), N * sizeof(T));
    }
    Hash& operator<<(const std::string& s) { return Bytes(s.data(), s.size()); }
    Hash& operator<<(const Vec3& v) { return *this << v.x << v.y << v.z; }
    template <class T>
    Hash& operator<<(const T& v) {
        static_assert(std::is_arithmetic_v<T>);
        return Bytes(&v, sizeof v);
    }
    uint64_t Value() const { return value_; }

  private:
    uint64_t value_ = 0xCBF29CE484222325ull;
};

Digest Take(const EngineContext& ctx, const RuntimeArrays& a, uint64_t schedule) {
    const PixelSurface& s = ctx.Surface;
    Hash picture, stars, ambient, comets, objects, camera, host;
    picture.Bytes(s.NativePixels(), static_cast<size_t>(s.Width()) * static_cast<size_t>(s.Height()) * 4);
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
    EngineHost& h = ctx.Host;
    const EngineSettings& st = ctx.Settings;
    const EngineGeometry& g = ctx.Geometry;
    host << h.TickCount() << h.Process().StopRequested << ctx.FrameStartTick << ctx.LastMessageTick
         << ctx.HasDrawingSurface << st.MessageText << st.MessageFontName << st.MessageFontSize
         << st.MessageHue << st.Adv_TimeDelay << st.Universe_Stars << st.Universe_AmStar << g.ScreenW
         << g.ScreenH << g.CenterX << g.CenterY << g.FocalLength << g.CenterXFocal << g.CenterYFocal
         << g.AspectHW << g.InvFocalLength << g.PixelSize;
    return {picture.Value(), stars.Value(),  ambient.Value(), comets.Value(),
            objects.Value(), camera.Value(), host.Value()};
}

std::string Hex(uint64_t v) {
    std::ostringstream out;
    out << std::hex;
    out.width(16);
    out.fill('0');
    out << v;
    return out.str();
}

std::string PicturePath(const std::string& dir, const std::string& name, int64_t frame,
                        const std::string& suffix = "") {
    return dir + "/" + name + "-" + std::to_string(frame) + suffix + ".png";
}

struct Stored {
    Digest digest{};
    std::string where;
};

std::map<int64_t, Stored> ReadReferences(const std::string& path) {
    std::map<int64_t, Stored> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int64_t frame = 0;
        Stored s;
        fields >> frame;
        for (uint64_t& part : s.digest) fields >> std::hex >> part;
        std::getline(fields >> std::ws, s.where);
        out[frame] = s;
    }
    return out;
}

#if ASTRELLE_TEST_PNG
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& path, int width, int height, std::vector<uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    if (image.width != static_cast<png_uint_32>(width) || image.height != static_cast<png_uint_32>(height)) {
        png_image_free(&image);
        return false;
    }
    rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}
#endif

// Pictures of frames that are no longer checkpoints ("<name>-<frame>.png").
void RemoveOtherPictures(const std::string& name, const std::vector<int64_t>& checkpoints) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(kReferenceDir, ec)) {
        const std::string file = entry.path().filename().string();
        const std::string prefix = name + "-";
        if (file.rfind(prefix, 0) != 0 || file.size() < prefix.size() + 5) continue;
        const std::string digits = file.substr(prefix.size(), file.size() - prefix.size() - 4);
        if (file.substr(file.size() - 4) != ".png" ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        if (std::find(checkpoints.begin(), checkpoints.end(), std::stoll(digits)) == checkpoints.end()) {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

std::vector<uint8_t> Rgb(const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgb;
    for (uint32_t p : pixels) {
        rgb.insert(rgb.end(),
                   {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
    return rgb;
}

// Unchanged pixels dimmed; red where only the reference is lit, green where only the run
// is, yellow where both are lit in different colours.
std::vector<uint8_t> Difference(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual) {
    std::vector<uint8_t> out(actual.size());
    for (size_t i = 0; i + 2 < actual.size(); i += 3) {
        const bool same = std::equal(&actual[i], &actual[i + 3], &expected[i]);
        const bool wasLit = expected[i] || expected[i + 1] || expected[i + 2];
        const bool isLit = actual[i] || actual[i + 1] || actual[i + 2];
        for (size_t c = 0; c < 3; ++c) {
            if (same) {
                out[i + c] = static_cast<uint8_t>(actual[i + c] / 4);
            } else {
                const bool red = c == 0 && wasLit;
                const bool green = c == 1 && isLit;
                out[i + c] = red || green ? 255 : 0;
            }
        }
    }
    return out;
}

}  // namespace

ReferenceRun::ReferenceRun(std::string name, std::vector<int64_t> checkpoints)
    : name_(std::move(name)), checkpoints_(std::move(checkpoints)) {}

void ReferenceRun::See(const EngineContext& ctx, const RuntimeArrays& a, std::string_view where,
                       int64_t frame) {
    schedule_ = Hash().Bytes(&schedule_, sizeof schedule_).Bytes(where.data(), where.size()).Value();
    if (std::find(checkpoints_.begin(), checkpoints_.end(), frame) == checkpoints_.end()) return;
    seen_.push_back({frame, std::string(where), Take(ctx, a, schedule_)});
    width_ = ctx.Surface.Width();
    height_ = ctx.Surface.Height();
    const uint32_t* p = ctx.Surface.NativePixels();
    pictures_.emplace_back(p, p + static_cast<size_t>(width_) * static_cast<size_t>(height_));
}

void ReferenceRun::Check() {
    const std::string file = kReferenceDir + "/" + name_ + ".txt";
    const std::map<int64_t, Stored> stored = ReadReferences(file);
    ASSERT_EQ(seen_.size(), checkpoints_.size()) << name_ << ": the run ended before its last checkpoint";
    if (std::getenv("ASTRELLE_UPDATE_REFERENCES") != nullptr) {
        RemoveOtherPictures(name_, checkpoints_);
        std::ofstream out(file);
        out << "# frame, digests of:";
        for (const char* part : kPartNames) out << " " << part;
        out << ", where the frame is. Written by scripts/update-references.\n";
        for (size_t k = 0; k < seen_.size(); ++k) {
            const Checkpoint& c = seen_[k];
            out << c.frame;
            for (uint64_t part : c.digest) out << " " << Hex(part);
            out << " " << c.where << "\n";
#if ASTRELLE_TEST_PNG
            auto old = stored.find(c.frame);
            if (old == stored.end() || old->second.digest[0] != c.digest[0]) {
                WritePng(PicturePath(kReferenceDir, name_, c.frame), width_, height_, Rgb(pictures_[k]));
            }
#endif
        }
        return;
    }
    for (size_t k = 0; k < seen_.size(); ++k) {
        const Checkpoint& c = seen_[k];
        auto ref = stored.find(c.frame);
        if (ref == stored.end()) {
            ADD_FAILURE() << name_ << ": no reference for frame " << c.frame << " in " << file
                          << " (scripts/update-references writes it)";
            return;
        }
        std::string parts;
        for (size_t p = 0; p < kDigestParts; ++p) {
            if (ref->second.digest[p] != c.digest[p])
                parts += std::string(parts.empty() ? "" : ", ") + kPartNames[p];
        }
        if (ref->second.where != c.where)
            parts += std::string(parts.empty() ? "" : ", ") + "place in the run";
        if (parts.empty()) continue;
        std::string pictures = " (built without libpng: no pictures written)";
#if ASTRELLE_TEST_PNG
        std::filesystem::create_directories(kOutputDir);
        const std::vector<uint8_t> actual = Rgb(pictures_[k]);
        const std::string actualPath = PicturePath(kOutputDir, name_, c.frame, "-actual");
        WritePng(actualPath, width_, height_, actual);
        pictures = "; the picture is in " + actualPath;
        std::vector<uint8_t> expected;
        if (ReadPng(PicturePath(kReferenceDir, name_, c.frame), width_, height_, expected)) {
            const std::string diffPath = PicturePath(kOutputDir, name_, c.frame, "-difference");
            WritePng(diffPath, width_, height_, Difference(expected, actual));
            pictures += ", its difference from the reference (red: gone, green: new) in " + diffPath;
        }
#endif
        ADD_FAILURE() << name_ << ": first difference at frame " << c.frame << " (" << c.where
                      << ", reference " << ref->second.where << "): " << parts << pictures;
        return;
    }
}

std::string Describe(const UniverseFrame& frame) {
    // t in thousandths, written by hand: the text must not depend on a C library's printf.
    const long thousandths = std::lround(frame.t * 1000.0);
    const std::string t =
        std::to_string(thousandths / 1000) + "." + std::to_string(1000 + thousandths % 1000).substr(1);
    std::ostringstream out;
    if (frame.cycle > 0) out << "cycle " << frame.cycle << " ";
    switch (frame.phase) {
        case UniversePhase::Creation:
            out << "creation " << frame.creationFrame;
            break;
        case UniversePhase::Visit:
            out << "visit " << frame.g << "." << frame.k << " t=" << t;
            break;
        case UniversePhase::ReturnLeg:
            out << "return " << frame.k << " t=" << t;
            break;
    }
    return out.str();
}

}  // namespace astrelle::testing
