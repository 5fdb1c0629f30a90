#include "sim/PngEncoder.h"

#include <png.h>

namespace corvel::sim {

namespace {
void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushNothing(png_structp) {}

// libpng reports errors by longjmp, so this frame holds nothing with a
// destructor and changes nothing of its own after setjmp.
bool writePng(const platform::CapturedImage& image, png_bytep* rows,
              std::vector<std::uint8_t>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendBytes, flushNothing);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

std::optional<std::vector<std::uint8_t>> PngEncoder::encode(const platform::CapturedImage& image) {
    if (image.width == 0 || image.height == 0 ||
        image.rgba.size() != std::size_t{image.width} * image.height * 4)
        return std::nullopt;
    std::vector<png_bytep> rows(image.height);
    for (std::uint32_t y = 0; y < image.height; ++y)
        rows[y] = const_cast<png_bytep>(image.rgba.data() + std::size_t{y} * image.width * 4);
    std::vector<std::uint8_t> out;
    if (!writePng(image, rows.data(), &out))
        return std::nullopt;
    return out;
}

} // namespace corvel::sim
