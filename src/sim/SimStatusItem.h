#pragma once

#include "platform/StatusBarButton.h"
#include "platform/StatusItem.h"

#include <cstdint>
#include <memory>

namespace corvel::sim {

class SimulatedDesktop;

/// A status item made through the simulated status bar, and its button.
/// Like the platform's, the object keeps its own properties whether or not
/// it is still in the bar; changes reach the bar while it is. Dropping the
/// last reference takes it out of the bar. Main thread only.
class SimStatusItem final : public platform::StatusItem, public platform::StatusBarButton {
  public:
    SimStatusItem(std::weak_ptr<SimulatedDesktop> desktop, std::uint64_t itemId, double length,
                  std::string autosaveName);
    ~SimStatusItem() override;

    std::uint64_t itemId() const { return itemId_; }

    double length() const override { return length_; }
    void setLength(double length) override;
    std::string autosaveName() const override { return autosaveName_; }
    void setAutosaveName(std::string name) override;
    std::shared_ptr<platform::Menu> menu() const override { return menu_; }
    void setMenu(std::shared_ptr<platform::Menu> menu) override;
    platform::StatusBarButton& button() override { return *this; }

    std::string title() const override { return title_; }
    void setTitle(std::string title) override;
    std::string accessibilityTitle() const override { return accessibilityTitle_; }
    void setAccessibilityTitle(std::string title) override;
    std::optional<platform::Image> image() const override { return image_; }
    void setImage(std::optional<platform::Image> image) override;
    platform::ImagePosition imagePosition() const override { return imagePosition_; }
    void setImagePosition(platform::ImagePosition position) override;
    std::string identifier() const override { return identifier_; }
    void setIdentifier(std::string identifier) override;
    void setAction(Action action) override;

  private:
    std::weak_ptr<SimulatedDesktop> desktop_;
    std::uint64_t itemId_;
    double length_;
    std::string autosaveName_;
    std::shared_ptr<platform::Menu> menu_;
    std::string title_;
    std::string accessibilityTitle_;
    std::optional<platform::Image> image_;
    platform::ImagePosition imagePosition_ = platform::ImagePosition::noImage;
    std::string identifier_;
};

} // namespace corvel::sim
