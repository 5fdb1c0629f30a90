#include "platform_mac/StampedEventFields.h"

#include "platform/EventField.h"

#include <algorithm>
#include <iterator>

namespace corvel::mac {

namespace {

using platform::EventField;

// The fields the ports name that the platform's own field list holds; the
// window number field the stamped move sets (51) is not among them.
constexpr int documented[] = {
    EventField::mouseEventClickState,
    EventField::mouseEventButtonNumber,
    EventField::keyboardEventKeycode,
    EventField::eventTargetUnixProcessID,
    EventField::eventSourceUserData,
    EventField::mouseEventWindowUnderMousePointer,
    EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent,
};

} // namespace

bool StampedEventFields::isDocumented(int field) {
    return std::find(std::begin(documented), std::end(documented), field) != std::end(documented);
}

std::optional<std::string> StampedEventFields::firstUseNote(int field) {
    if (isDocumented(field))
        return std::nullopt;
    return "Corvel: CGEventSetIntegerValueField sets event field " + std::to_string(field) +
           ", which the platform does not document; if items do not move, check this field "
           "first";
}

} // namespace corvel::mac
