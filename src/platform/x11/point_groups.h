// PointGroups: the changed pixels of a frame, gathered by colour, so that every colour goes
// to the X server as one request. A frame of the star field changes a thousand or two pixels
// in a few hundred colours; a small open-addressing table finds a colour's group in a few
// steps, where sorting the batch cost dozens. Plain C++ (no Xlib): Point has XPoint's layout.
#pragma once

#include <array>
#include <cstdint>

namespace astrelle::x11 {

class PointGroups {
  public:
    struct Point {
        int16_t x;
        int16_t y;
    };
    static constexpr int kCapacity = 8192;
    static constexpr int kMaxColours = 1024;

    bool Empty() const { return points_ == 0; }
    int Size() const { return points_; }

    // Adds a point of colour pixel (a pixel value of the window's visual). False when the
    // batch has no room for it (points or colours): take the batch, then add it again.
    [[nodiscard]] bool Add(int16_t x, int16_t y, uint32_t pixel) {
        if (points_ == kCapacity) return false;
        uint32_t cell = (pixel * kHashFactor) >> (32 - kTableBits);
        int group = 0;
        for (;;) {
            const uint16_t entry = table_[cell];
            if (entry == 0) {
                if (colours_ == kMaxColours) return false;
                group = colours_++;
                table_[cell] = static_cast<uint16_t>(group + 1);
                colourPixel_[static_cast<size_t>(group)] = pixel;
                colourCount_[static_cast<size_t>(group)] = 0;
                colourCell_[static_cast<size_t>(group)] = static_cast<uint16_t>(cell);
                break;
            }
            if (colourPixel_[static_cast<size_t>(entry - 1)] == pixel) {
                group = entry - 1;
                break;
            }
            cell = (cell + 1) & (kTableSize - 1);
        }
        ++colourCount_[static_cast<size_t>(group)];
        pending_[static_cast<size_t>(points_++)] = Pending{x, y, static_cast<uint16_t>(group)};
        return true;
    }

    // Calls f(pixel, Point* points, int count) once per colour, in the order the
    // colours came, then empties the batch.
    template <class F>
    void Take(F&& f) {
        int start = 0;
        for (int g = 0; g < colours_; ++g) {
            next_[static_cast<size_t>(g)] = start;
            start += colourCount_[static_cast<size_t>(g)];
        }
        for (int i = 0; i < points_; ++i) {
            const Pending& p = pending_[static_cast<size_t>(i)];
            grouped_[static_cast<size_t>(next_[p.group]++)] = Point{p.x, p.y};
        }
        start = 0;
        for (int g = 0; g < colours_; ++g) {
            const auto i = static_cast<size_t>(g);
            f(colourPixel_[i], grouped_.data() + start, colourCount_[i]);
            start += colourCount_[i];
            table_[colourCell_[i]] = 0;
        }
        colours_ = 0;
        points_ = 0;
    }

  private:
    static constexpr int kTableBits = 11;
    static constexpr int kTableSize = 1 << kTableBits;  // at most half full
    static constexpr uint32_t kHashFactor = 0x9E3779B1u;

    struct Pending {
        int16_t x;
        int16_t y;
        uint16_t group;
    };

    std::array<Pending, kCapacity> pending_{};
    std::array<Point, kCapacity> grouped_{};
    std::array<uint16_t, kTableSize> table_{};  // group + 1; 0 marks a free cell
    std::array<uint32_t, kMaxColours> colourPixel_{};
    std::array<int, kMaxColours> colourCount_{};
    std::array<int, kMaxColours> next_{};
    std::array<uint16_t, kMaxColours> colourCell_{};
    int points_ = 0;
    int colours_ = 0;
};

}  // namespace astrelle::x11
