// GDI rendering of the lock message and its blend over the stars.
#include "platform/win32/message_overlay.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace astrelle::win32 {

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kBandMargin = 2;    // pixels of room around the glyphs
constexpr int kTopFraction = 12;  // the band sits a twelfth of the height from the top
constexpr int kFullCoverage = 255;

uint32_t ToNative(uint32_t bgr) {
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

uint32_t Mix(uint32_t under, uint32_t over, uint32_t coverage) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t a = (under >> shift) & 0xFFu;
        const uint32_t b = (over >> shift) & 0xFFu;
        out |= ((a * (kFullCoverage - coverage) + b * coverage + kFullCoverage / 2) / kFullCoverage) << shift;
    }
    return out;
}

}  // namespace

bool MessageOverlay::Set(std::string_view text, std::string_view fontName, int pointSize, uint32_t colour,
                         int surfaceWidth, int surfaceHeight, int dpi) {
    if (text == text_ && fontName == fontName_ && pointSize == pointSize_ && colour == colour_ &&
        surfaceWidth == surfaceWidth_ && surfaceHeight == surfaceHeight_ && dpi == dpi_ &&
        (!coverage_.empty() || text.empty())) {
        return false;
    }
    text_ = text;
    fontName_ = fontName;
    pointSize_ = pointSize;
    colour_ = colour;
    surfaceWidth_ = surfaceWidth;
    surfaceHeight_ = surfaceHeight;
    dpi_ = dpi;
    Render(surfaceWidth, surfaceHeight, dpi);
    return true;
}

void MessageOverlay::Clear() {
    text_.clear();
    coverage_.clear();
    width_ = height_ = top_ = 0;
}

void MessageOverlay::Render(int surfaceWidth, int surfaceHeight, int dpi) {
    coverage_.clear();
    width_ = height_ = top_ = 0;
    native_ = ToNative(colour_);
    if (text_.empty() || surfaceWidth <= 0 || surfaceHeight <= 0) return;

    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return;
    const int pixelHeight =
        std::max(1, MulDiv(pointSize_, dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI, kPointsPerInch));
    // Grey antialiasing rather than ClearType: the coverage is one value per pixel.
    HFONT font = CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, Widen(fontName_).c_str());
    HGDIOBJ oldFont = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int height = std::min(surfaceHeight, static_cast<int>(metrics.tmHeight) + kBandMargin);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = surfaceWidth;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        RECT band{0, 0, surfaceWidth, height};
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        const std::wstring wide = Widen(text_);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &band,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        const size_t count = static_cast<size_t>(surfaceWidth) * static_cast<size_t>(height);
        coverage_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint32_t p = pixels[i];
            coverage_[i] = static_cast<uint8_t>(std::max({p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu}));
        }
        width_ = surfaceWidth;
        height_ = height;
        top_ = std::max(0, std::min(surfaceHeight - height, surfaceHeight / kTopFraction));
        SelectObject(dc, oldBitmap);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    SelectObject(dc, oldFont);
    if (font != nullptr) DeleteObject(font);
    DeleteDC(dc);
}

void MessageOverlay::Blend(uint32_t* row, int y, int x0, int x1) const {
    if (height_ == 0 || y < top_ || y >= top_ + height_) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    const uint8_t* coverage = coverage_.data() + static_cast<size_t>(y - top_) * static_cast<size_t>(width_);
    for (int x = x0; x < x1; ++x) {
        const uint32_t c = coverage[x];
        if (c == 0) continue;
        row[x] = c == kFullCoverage ? native_ : Mix(row[x], native_, c);
    }
}

}  // namespace astrelle::win32
