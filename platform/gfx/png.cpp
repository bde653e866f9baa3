#include "platform/gfx/png.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace kes::gfx {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void set_error(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// libpng reports through longjmp; the message is kept for the caller.
void on_png_error(png_structp png, png_const_charp message) {
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    if (text) *text = message;
    png_longjmp(png, 1);
}
void on_png_warning(png_structp, png_const_charp) {}

}  // namespace

bool write_png(const Surface& surface, const std::string& path, std::string* error) {
    if (surface.is_empty()) {
        set_error(error, "cannot write an empty picture to " + path);
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        set_error(error, "cannot open " + path + " for writing");
        return false;
    }
    std::string message;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        set_error(error, "out of memory writing " + path);
        return false;
    }
    // Rows are converted before setjmp so no object with a destructor is skipped by longjmp.
    const int w = surface.width(), h = surface.height();
    std::vector<png_byte> pixels(std::size_t(w) * std::size_t(h) * 4);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = surface.scanline(y);
        png_byte* out = &pixels[std::size_t(y) * std::size_t(w) * 4];
        for (int x = 0; x < w; ++x) {
            out[4 * x + 0] = png_byte(row[x] >> 16);
            out[4 * x + 1] = png_byte(row[x] >> 8);
            out[4 * x + 2] = png_byte(row[x]);
            out[4 * x + 3] = png_byte(row[x] >> 24);
        }
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) rows[std::size_t(y)] = &pixels[std::size_t(y) * std::size_t(w) * 4];

    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        set_error(error, "cannot write " + path + ": " + message);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        set_error(error, "cannot write " + path);
        return false;
    }
    return true;
}

std::optional<Surface> read_png(const std::string& path, std::string* error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        set_error(error, "cannot open " + path);
        return std::nullopt;
    }
    png_byte signature[8] = {};
    if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        set_error(error, path + " is not a PNG file");
        return std::nullopt;
    }
    std::string message;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_read_struct(&png, &info, nullptr);
        set_error(error, "out of memory reading " + path);
        return std::nullopt;
    }
    // Everything that must survive a longjmp lives outside the protected block.
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
    png_uint_32 w = 0, h = 0;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        set_error(error, "cannot read " + path + ": " + message);
        return std::nullopt;
    }
    png_init_io(png, file.get());
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, 16384, 16384);
    png_read_info(png, info);
    w = png_get_image_width(png, info);
    h = png_get_image_height(png, info);
    // Whatever the file holds, read it as 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    pixels.resize(std::size_t(w) * std::size_t(h) * 4);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = &pixels[std::size_t(y) * std::size_t(w) * 4];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    Surface out(static_cast<int>(w), static_cast<int>(h));
    for (png_uint_32 y = 0; y < h; ++y) {
        std::uint32_t* row = out.scanline(int(y));
        const png_byte* in = rows[y];
        for (png_uint_32 x = 0; x < w; ++x)
            row[x] = (std::uint32_t(in[4 * x + 3]) << 24) | (std::uint32_t(in[4 * x]) << 16) |
                     (std::uint32_t(in[4 * x + 1]) << 8) | std::uint32_t(in[4 * x + 2]);
    }
    return out;
}

}  // namespace kes::gfx
