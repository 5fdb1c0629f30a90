#pragma once

#include "platform/StatusBarButton.h"
#include "platform_mac/FirstUseLog.h"

#import <AppKit/AppKit.h>
#include <memory>

@class CorvelButtonTarget;

namespace corvel::mac {

/// A status item's button (NSStatusBarButton). Main thread only. The button
/// holds its target weakly, so the binding holds the object that runs the
/// action for as long as the action is set.
class MacStatusBarButton final : public platform::StatusBarButton {
  public:
    MacStatusBarButton(NSStatusBarButton* button, std::shared_ptr<FirstUseLog> notes);

    std::string title() const override;
    void setTitle(std::string title) override;
    std::string accessibilityTitle() const override;
    void setAccessibilityTitle(std::string title) override;
    /// The image as it was set; AppKit's own image cannot be read back into
    /// the ports' form.
    std::optional<platform::Image> image() const override;
    void setImage(std::optional<platform::Image> image) override;
    platform::ImagePosition imagePosition() const override;
    void setImagePosition(platform::ImagePosition position) override;
    std::string identifier() const override;
    void setIdentifier(std::string identifier) override;
    void setAction(Action action) override;

  private:
    NSStatusBarButton* button_;
    CorvelButtonTarget* target_;
    std::optional<platform::Image> image_;
    std::shared_ptr<FirstUseLog> notes_;
};

} // namespace corvel::mac
