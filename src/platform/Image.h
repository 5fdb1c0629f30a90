#pragma once

#include "platform/ImageShape.h"
#include "platform/Size.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvel::platform {

/// A toolkit-neutral picture for a status item button or a running
/// application's icon: a system symbol by name, encoded PNG bytes, or a
/// drawing of simple shapes. The interface renders it with its toolkit and
/// the simulator in its own way; nothing here depends on either.
class Image {
  public:
    enum class Kind { symbol, png, drawing };

    /// A system symbol image. Whether the name exists is the symbol port's
    /// business; an Image only carries names that gave an image.
    static Image symbol(std::string name, Size size = {16, 16});
    static Image png(std::vector<std::uint8_t> bytes, Size size);
    static Image drawing(Size size, std::vector<ImageShape> shapes);

    Kind kind() const { return kind_; }
    Size size() const { return size_; }
    const std::string& symbolName() const { return symbolName_; }
    const std::vector<std::uint8_t>& pngBytes() const { return pngBytes_; }
    const std::vector<ImageShape>& shapes() const { return shapes_; }

    /// A template image is drawn in the menu bar's own colour; only its alpha
    /// counts.
    bool isTemplate() const { return isTemplate_; }
    void setTemplate(bool isTemplate) { isTemplate_ = isTemplate; }
    const std::string& accessibilityDescription() const { return accessibilityDescription_; }
    void setAccessibilityDescription(std::string text) {
        accessibilityDescription_ = std::move(text);
    }

    friend bool operator==(const Image&, const Image&) = default;

  private:
    Image(Kind kind, Size size) : kind_(kind), size_(size) {}

    Kind kind_;
    Size size_;
    std::string symbolName_;
    std::vector<std::uint8_t> pngBytes_;
    std::vector<ImageShape> shapes_;
    bool isTemplate_ = false;
    std::string accessibilityDescription_;
};

} // namespace corvel::platform
