#include "platform_mac/MacWindowList.h"

#include "platform/WindowInfoKey.h"
#include "platform_mac/AppleStrings.h"
#include "platform_mac/CoreFoundationReader.h"

#include <CoreGraphics/CoreGraphics.h>

namespace corvel::mac {

namespace {

// The window server's keys are constants of CoreGraphics; their text is
// not documented, so keys are matched by the constants themselves.
CoreFoundationReader::NamedKeys windowKeys() {
    using Key = platform::WindowInfoKey;
    return {
        {kCGWindowLayer, Key::layer},
        {kCGWindowNumber, Key::number},
        {kCGWindowOwnerPID, Key::ownerPID},
        {kCGWindowOwnerName, Key::ownerName},
        {kCGWindowName, Key::name},
        {kCGWindowBounds, Key::bounds},
        {kCGWindowIsOnscreen, Key::isOnscreen},
        {kCGWindowAlpha, Key::alpha},
    };
}

} // namespace

MacWindowList::MacWindowList(std::shared_ptr<FirstUseLog> notes) : notes_(std::move(notes)) {}

std::optional<platform::PlatformValue>
MacWindowList::copyWindowInfo(std::uint32_t option, std::uint32_t relativeToWindow) const {
    std::call_once(keyTextsChecked_, [this] { checkKeyTexts(); });
    const auto list =
        CFRef<CFArrayRef>::adopt(CGWindowListCopyWindowInfo(option, relativeToWindow));
    if (!list)
        return std::nullopt;
    static const CoreFoundationReader reader(windowKeys());
    CoreFoundationConverter converter(reader, [](CoreFoundationValues::Ref) {
        // The window list holds no accessibility elements.
        return platform::AccessibilityElement{};
    });
    auto value = converter.convertWindowList(list.get());
    CoreFoundationReader::report(*notes_, "CGWindowListCopyWindowInfo", converter);
    return value;
}

// Nothing depends on the keys' text, but a first run on a Mac should show
// whether it is what the simulated desktop and the tests assume.
void MacWindowList::checkKeyTexts() const {
    for (const auto& [constant, name] : windowKeys()) {
        const auto text = utf8(constant);
        if (text != name)
            notes_->once(name, "Corvel: the window list key " + std::string(name) + " reads \"" +
                                   text.value_or("") + "\"; Corvel matches it by the constant");
    }
}

} // namespace corvel::mac
