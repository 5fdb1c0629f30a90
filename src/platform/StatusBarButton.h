#pragma once

#include "platform/Image.h"
#include "platform/ImagePosition.h"

#include <functional>
#include <optional>
#include <string>

namespace corvel::platform {

/// The button that shows a status item in the menu bar. Main thread only.
class StatusBarButton {
  public:
    /// Receives the identifier of the button that was clicked (the sender).
    using Action = std::function<void(const std::string& senderIdentifier)>;

    virtual ~StatusBarButton() = default;

    virtual std::string title() const = 0;
    virtual void setTitle(std::string title) = 0;
    virtual std::string accessibilityTitle() const = 0;
    virtual void setAccessibilityTitle(std::string title) = 0;
    virtual std::optional<Image> image() const = 0;
    virtual void setImage(std::optional<Image> image) = 0;
    virtual ImagePosition imagePosition() const = 0;
    virtual void setImagePosition(ImagePosition position) = 0;
    virtual std::string identifier() const = 0;
    virtual void setIdentifier(std::string identifier) = 0;
    /// Runs on the main thread when the button is clicked and its item has no
    /// menu. The action may remove the status item.
    virtual void setAction(Action action) = 0;
};

} // namespace corvel::platform
