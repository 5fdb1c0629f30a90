#include "platform/Image.h"

namespace corvel::platform {

Image Image::symbol(std::string name, Size size) {
    Image image(Kind::symbol, size);
    image.symbolName_ = std::move(name);
    return image;
}

Image Image::png(std::vector<std::uint8_t> bytes, Size size) {
    Image image(Kind::png, size);
    image.pngBytes_ = std::move(bytes);
    return image;
}

Image Image::drawing(Size size, std::vector<ImageShape> shapes) {
    Image image(Kind::drawing, size);
    image.shapes_ = std::move(shapes);
    return image;
}

} // namespace corvel::platform
