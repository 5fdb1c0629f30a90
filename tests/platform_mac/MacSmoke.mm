// corvel_platform_mac_smoke: what the native binding can show on a Mac
// without any permission granted. It runs against the real window server,
// so it waits in real time (at most a few seconds per check) for the
// server to catch up. Exits 0 when every check held.
#include "async/ManualLoop.h"
#include "platform/HotKeyModifiers.h"
#include "platform/PlatformValue.h"
#include "platform/WindowInfoKey.h"
#include "platform_mac/MacPlatform.h"

#import <AppKit/AppKit.h>
#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

using namespace corvel;

namespace {

class PrintedLog final : public platform::SystemLog {
  public:
    void write(std::string_view line) override {
        std::printf("  log: %.*s\n", static_cast<int>(line.size()), line.data());
    }
};

struct Checks {
    int failed = 0;
    void expect(bool held, const std::string& what) {
        std::printf("%s %s\n", held ? "ok  " : "FAIL", what.c_str());
        if (!held)
            ++failed;
    }
};

// Lets AppKit and the window server run until `done` holds, for at most
// five seconds.
bool waitFor(const std::function<bool()>& done) {
    for (int slice = 0; slice < 50; ++slice) {
        if (done())
            return true;
        CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.1, false);
    }
    return done();
}

bool listed(const platform::WindowList& windows,
            const std::function<bool(const platform::PlatformValue&)>& matches) {
    const auto list =
        windows.copyWindowInfo(platform::WindowList::optionAll, platform::WindowList::nullWindowID);
    if (!list || !list->asArray())
        return false;
    for (const auto& window : *list->asArray())
        if (matches(window))
            return true;
    return false;
}

bool isStatusItemWindow(const platform::PlatformValue& window) {
    const auto* layer = window.find(platform::WindowInfoKey::layer);
    return layer && layer->asInteger() == platform::WindowList::statusItemLayer;
}

} // namespace

int main(int argc, char** argv) {
    // Pass --granted when this program (or the terminal that starts it) has
    // been given Accessibility.
    const bool granted = argc > 1 && std::string(argv[1]) == "--granted";
    @autoreleasepool {
        [NSApplication sharedApplication];
        async::ManualLoop mainLoop;
        auto services = mac::MacPlatform::services(mainLoop, std::make_shared<PrintedLog>());
        services.activation->setActivationPolicy(platform::ActivationPolicy::accessory);
        Checks checks;

        checks.expect(listed(*services.windowList, isStatusItemWindow),
                      "the window list holds a status item window (layer 25)");

        const std::int32_t self = getpid();
        const std::string name = "CorvelSmoke-" + std::to_string(self);
        auto ownWindow = [&](const platform::PlatformValue& window) {
            const auto* owner = window.find(platform::WindowInfoKey::ownerPID);
            return isStatusItemWindow(window) && owner && owner->asInteger() == self;
        };
        auto ownItem = [&](const platform::PlatformValue& window) {
            const auto* title = window.find(platform::WindowInfoKey::name);
            return ownWindow(window) && title && title->asString() == name;
        };
        auto item = services.statusBar->statusItem(platform::StatusItem::variableLength);
        item->setAutosaveName(name);
        item->button().setTitle("Corvel smoke");
        checks.expect(item->autosaveName() == name, "the status item keeps its autosave name");
        checks.expect(waitFor([&] { return listed(*services.windowList, ownWindow); }),
                      "the status item's window is listed");
        // Should this fail while the one above held, the window server
        // withholds even this process's window names without Screen
        // Recording: see docs/macos.md.
        checks.expect(listed(*services.windowList, ownItem),
                      "the status item's window carries its autosave name");
        services.statusBar->removeStatusItem(item);
        item.reset();
        checks.expect(waitFor([&] { return !listed(*services.windowList, ownWindow); }),
                      "the removed status item's window leaves the list");
        services.statusBar->forgetRememberedPosition(name);

        const bool trusted = services.accessibility->isProcessTrusted();
        checks.expect(trusted == granted, granted ? "the process is trusted for Accessibility"
                                                  : "the process is not trusted for Accessibility");
        checks.expect(services.accessibility->isProcessTrustedWithOptions(
                          {{"AXTrustedCheckOptionPrompt",
                            platform::PlatformValue::boolean(false)}}) == trusted,
                      "the trust check without a prompt answers the same");

        // F19 with Control, Option and Command: a combination nothing holds.
        using platform::HotKeyModifiers;
        constexpr std::uint32_t f19 = 0x50;
        const std::uint32_t modifiers =
            HotKeyModifiers::controlKey | HotKeyModifiers::optionKey | HotKeyModifiers::cmdKey;
        platform::HotKeys::HandlerRef handler = 0;
        checks.expect(services.hotKeys->installHotKeyPressedHandler([](const auto&) {}, handler) ==
                          platform::HotKeyStatus::noErr,
                      "a hot key handler installs");
        platform::HotKeys::HotKeyRef hotKey = 0;
        checks.expect(
            services.hotKeys->registerEventHotKey(f19, modifiers, {0x4372766c, 1}, 0, hotKey) ==
                platform::HotKeyStatus::noErr,
            "a hot key registers");
        checks.expect(services.hotKeys->unregisterEventHotKey(hotKey) ==
                          platform::HotKeyStatus::noErr,
                      "the hot key unregisters");
        checks.expect(services.hotKeys->unregisterEventHotKey(hotKey) ==
                          platform::HotKeyStatus::paramErr,
                      "unregistering it again is refused");
        checks.expect(services.hotKeys->removeEventHandler(handler) ==
                          platform::HotKeyStatus::noErr,
                      "the handler is removed");

        mainLoop.runUntilIdle();
        std::printf("%s\n", checks.failed ? "smoke: FAILED" : "smoke: every check held");
        return checks.failed ? 1 : 0;
    }
}
