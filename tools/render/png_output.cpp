// libpng encoding of a PixelSurface.
#include "png_output.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace astrelle::render {

namespace {

void WriteRows(png_structp png, const PixelSurface& surface, std::vector<png_byte>& row) {
    const size_t width = static_cast<size_t>(surface.Width());
    std::vector<uint32_t> pixels(width);
    for (int y = 0; y < surface.Height(); ++y) {
        surface.ReadRow(y, 0, pixels);
        for (size_t x = 0; x < width; ++x) {
            const uint32_t p = pixels[x];  // 0x00RRGGBB
            row[x * 3] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
}

// libpng reports errors by longjmp; nothing here is used after one but the result.
bool EncodePng(png_structp png, png_infop info, FILE* file, const PixelSurface& surface,
               std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
                 static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    WriteRows(png, surface, row);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool WritePng(const PixelSurface& surface, const std::string& path, std::string& error) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write '" + temporary + "'";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(static_cast<size_t>(surface.Width()) * 3);
    bool ok = png != nullptr && info != nullptr && EncodePng(png, info, file, surface, row);
    png_destroy_write_struct(&png, &info);
    ok = (std::fclose(file) == 0) && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(temporary.c_str());
        error = "writing '" + path + "' failed";
    }
    return ok;
}

int64_t LitPixels(const PixelSurface& surface) {
    int64_t lit = 0;
    std::vector<uint32_t> row(static_cast<size_t>(surface.Width()));
    for (int y = 0; y < surface.Height(); ++y) {
        surface.ReadRow(y, 0, row);
        for (const uint32_t p : row) lit += p != 0 ? 1 : 0;
    }
    return lit;
}

}  // namespace astrelle::render
