#include "platform_mac/MacHotKeys.h"

#include "platform_mac/CoreFoundationReader.h"
#include "platform_mac/CoreFoundationReference.h"
#include "platform_mac/MainThread.h"
#include "platform_mac/SymbolicHotKeyReading.h"

#import <Foundation/Foundation.h>

namespace corvel::mac {

namespace {

using platform::HotKeyStatus;

OSStatus hotKeyPressed(EventHandlerCallRef, EventRef event, void* userData) {
    EventHotKeyID pressed{};
    const OSStatus read = GetEventParameter(event, kEventParamDirectObject, typeEventHotKeyID,
                                            nullptr, sizeof pressed, nullptr, &pressed);
    if (read != noErr)
        return read;
    const auto& handler = *static_cast<const MacHotKeys::Handler*>(userData);
    // The handler may remove itself, which frees `handler`: work with copies.
    auto deliver = [run = handler.pressed, id = platform::HotKeyID{pressed.signature, pressed.id}] {
        run(id);
    };
    if ([NSThread isMainThread]) {
        deliver();
        return noErr;
    }
    handler.notes->once("hot key thread", "Corvel: a hot key press arrived off the main thread; "
                                          "presses are handed to the main thread");
    handler.mainThread->post(std::move(deliver));
    return noErr;
}

} // namespace

MacHotKeys::MacHotKeys(async::Executor& mainExecutor, std::shared_ptr<FirstUseLog> notes)
    : mainThread_(std::make_shared<ExecutorMailbox>(mainExecutor)), notes_(std::move(notes)) {}

MacHotKeys::~MacHotKeys() {
    while (!hotKeys_.empty())
        unregisterEventHotKey(hotKeys_.begin()->first);
    while (!handlers_.empty()) {
        const auto first = handlers_.begin();
        if (RemoveEventHandler(first->second.ref) != noErr)
            // The platform kept it: its record must outlive any press.
            (void)first->second.handler.release();
        handlers_.erase(first);
    }
    mainThread_->close();
}

OSStatus MacHotKeys::installHotKeyPressedHandler(PressedHandler handler, HandlerRef& outRef) {
    requireMainThread("InstallEventHandler");
    auto record = std::make_unique<Handler>(Handler{std::move(handler), mainThread_, notes_});
    const EventTypeSpec pressed{kEventClassKeyboard, kEventHotKeyPressed};
    EventHandlerRef installed = nullptr;
    const OSStatus status =
        InstallEventHandler(GetApplicationEventTarget(), NewEventHandlerUPP(hotKeyPressed), 1,
                            &pressed, record.get(), &installed);
    if (status != noErr)
        return status;
    outRef = nextRef_++;
    handlers_.emplace(outRef, Installed{installed, std::move(record)});
    return noErr;
}

OSStatus MacHotKeys::removeEventHandler(HandlerRef handler) {
    requireMainThread("RemoveEventHandler");
    const auto found = handlers_.find(handler);
    if (found == handlers_.end())
        return HotKeyStatus::paramErr;
    const OSStatus status = RemoveEventHandler(found->second.ref);
    // Only once the platform has let go may the record Carbon holds go.
    if (status == noErr)
        handlers_.erase(found);
    return status;
}

OSStatus MacHotKeys::registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                         platform::HotKeyID id, std::uint32_t options,
                                         HotKeyRef& outRef) {
    requireMainThread("RegisterEventHotKey");
    EventHotKeyRef registered = nullptr;
    const OSStatus status =
        RegisterEventHotKey(keyCode, modifiers, EventHotKeyID{id.signature, id.id},
                            GetApplicationEventTarget(), options, &registered);
    if (status != noErr)
        return status;
    outRef = nextRef_++;
    hotKeys_.emplace(outRef, registered);
    return noErr;
}

OSStatus MacHotKeys::unregisterEventHotKey(HotKeyRef hotKey) {
    requireMainThread("UnregisterEventHotKey");
    const auto found = hotKeys_.find(hotKey);
    if (found == hotKeys_.end())
        return HotKeyStatus::paramErr;
    const EventHotKeyRef registered = found->second;
    // Handed back once, whatever the platform answers.
    hotKeys_.erase(found);
    return UnregisterEventHotKey(registered);
}

std::optional<std::vector<platform::SymbolicHotKey>> MacHotKeys::copySymbolicHotKeys() const {
    CFRef<CFArrayRef> list;
    const OSStatus status = CopySymbolicHotKeys(list.receive());
    if (status != noErr || !list) {
        notes_->once("CopySymbolicHotKeys " + std::to_string(status),
                     "Corvel: CopySymbolicHotKeys failed with " + std::to_string(status));
        return std::nullopt;
    }
    static const CoreFoundationReader reader({
        {kHISymbolicHotKeyCode, SymbolicHotKeyReading::codeKey},
        {kHISymbolicHotKeyModifiers, SymbolicHotKeyReading::modifiersKey},
        {kHISymbolicHotKeyEnabled, SymbolicHotKeyReading::enabledKey},
    });
    CoreFoundationConverter converter(reader, [](CoreFoundationValues::Ref) {
        // The list holds no accessibility elements.
        return platform::AccessibilityElement{};
    });
    const auto value = converter.convert(list.get());
    CoreFoundationReader::report(*notes_, "CopySymbolicHotKeys", converter);
    if (!value)
        return std::nullopt;
    return SymbolicHotKeyReading::read(*value);
}

} // namespace corvel::mac
