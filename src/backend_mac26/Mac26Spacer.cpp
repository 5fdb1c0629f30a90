#include "backend_mac26/Mac26Spacer.h"

#include "backend_mac26/Mac26OwnNames.h"

namespace corvel {

std::shared_ptr<platform::StatusItem>
Mac26Spacer::create(platform::StatusBar& statusBar, std::string_view nameSpace, double length) {
    const std::string name = Mac26OwnNames::spacerName(nameSpace);
    auto item = statusBar.statusItem(length);
    item->setAutosaveName(name);
    auto& button = item->button();
    button.setTitle("");
    button.setAccessibilityTitle(name);
    button.setImagePosition(platform::ImagePosition::noImage);
    // What an accessibility walk finds the spacer by in Corvel's own process,
    // when its window has no name or a new number.
    button.setIdentifier(name);
    return item;
}

} // namespace corvel
