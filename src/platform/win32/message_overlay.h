// The lock message over the animation: rendered once per change with GDI into a band of
// coverage values as wide as the surface, then laid over the stars wherever the presenter
// copies pixels of that band, so drawing it costs nothing per frame.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace astrelle::win32 {

class MessageOverlay {
  public:
    // Renders text in the font (a missing family falls back to the system's sans serif) of
    // pointSize points at dpi, in colour (0x00BBGGRR), centred across surfaceWidth and a
    // little below the top edge. An empty text shows nothing. Returns true when the look
    // changed (and the band must be shown again); an unchanged look costs no allocation.
    bool Set(std::string_view text, std::string_view fontName, int pointSize, uint32_t colour,
             int surfaceWidth, int surfaceHeight, int dpi);
    // Shows nothing until the next Set.
    void Clear();

    bool Empty() const { return height_ == 0; }
    int Top() const { return top_; }
    int Height() const { return height_; }

    // Lays the message over pixels [x0, x1) of surface row y (0x00RRGGBB, as the pixel
    // surface keeps them); rows outside the band are left alone.
    void Blend(uint32_t* row, int y, int x0, int x1) const;

  private:
    void Render(int surfaceWidth, int surfaceHeight, int dpi);

    std::string text_, fontName_;
    int pointSize_ = 0;
    uint32_t colour_ = 0;
    int surfaceWidth_ = 0, surfaceHeight_ = 0, dpi_ = 0;

    std::vector<uint8_t> coverage_;  // width_ x height_, 0 = star shows, 255 = text colour
    uint32_t native_ = 0;            // the colour as 0x00RRGGBB
    int width_ = 0, height_ = 0, top_ = 0;
};

}  // namespace astrelle::win32
