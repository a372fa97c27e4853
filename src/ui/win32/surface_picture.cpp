// Pictures drawn through the pixel surface and the DIB presenter.
#include "ui/win32/surface_picture.h"

#include <utility>

namespace astrelle::win32 {

void SurfacePicture::Fit() {
    if (picture_ == nullptr) return;
    RECT area{};
    GetClientRect(picture_, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width != surface_.Width() || height != surface_.Height()) {
        surface_.Resize(width, height);
        // Without a DIB the picture stays black until a later size succeeds.
        static_cast<void>(presenter_.Resize(width, height));
    } else {
        surface_.Clear();
    }
    Redraw();
}

void SurfacePicture::SetDrawing(Drawing drawing) {
    drawing_ = std::move(drawing);
    surface_.Clear();
    Redraw();
}

void SurfacePicture::SetColour(uint32_t colour) {
    SetDrawing([colour](PixelSurface& surface) {
        auto writer = surface.BeginWrites();
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) writer.SetPixel(x, y, colour);
        }
    });
}

void SurfacePicture::SetBands(std::span<const uint32_t> colours) {
    SetDrawing([bands = std::vector<uint32_t>(colours.begin(), colours.end())](PixelSurface& surface) {
        DrawBands(surface, bands);
    });
}

void SurfacePicture::Redraw() {
    if (drawing_) drawing_(surface_);
    Present();
}

void SurfacePicture::Present() {
    if (picture_ == nullptr) return;
    HDC dc = GetDC(picture_);
    presenter_.Present(surface_, noMessage_, dc);
    ReleaseDC(picture_, dc);
}

void SurfacePicture::Paint(HDC dc, const RECT& area) const {
    presenter_.Paint(dc, area);
}

void DrawBands(PixelSurface& surface, std::span<const uint32_t> colours) {
    const int count = static_cast<int>(colours.size());
    if (count == 0) return;
    const int width = surface.Width();
    auto writer = surface.BeginWrites();
    for (int band = 0; band < count; ++band) {
        const int left = band * width / count;
        const int right = (band + 1) * width / count;
        const uint32_t colour = colours[static_cast<size_t>(band)];
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = left; x < right; ++x) writer.SetPixel(x, y, colour);
        }
    }
}

}  // namespace astrelle::win32
