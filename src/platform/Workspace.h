#pragma once

#include "platform/ApplicationChange.h"
#include "platform/Image.h"
#include "platform/RunningApplication.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel::platform {

/// Running applications, installed applications and URLs. Thread-safe.
class Workspace {
  public:
    /// The System Settings deep link to the Screen Recording privacy pane
    /// (Privacy & Security, Screen & System Audio Recording), for openURL.
    static constexpr std::string_view screenRecordingPrivacySettingsURL =
        "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture";

    using ObserverToken = std::uint64_t;
    /// Runs on the main thread with the application's process identifier.
    using ApplicationChangeHandler = std::function<void(ApplicationChange, std::int32_t pid)>;

    virtual ~Workspace() = default;

    /// In the workspace's own order.
    virtual std::vector<RunningApplication> runningApplications() const = 0;
    virtual std::optional<RunningApplication> runningApplicationForPid(std::int32_t pid) const = 0;
    virtual std::vector<RunningApplication>
    runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) const = 0;
    /// The file URL of the installed application, running or not, percent-
    /// encoded as the platform writes it ("file:///Applications/A%20B.app");
    /// FileURL::path gives the path that iconForFile takes.
    virtual std::optional<std::string>
    urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const = 0;
    /// The icon the workspace shows for the file at `path`; a generic one
    /// for files it knows nothing about.
    virtual Image iconForFile(const std::string& path) const = 0;
    /// Answers whether the URL was handed to an application.
    virtual bool openURL(const std::string& url) = 0;

    /// Hears applications finish launching or quit, until removed. Only
    /// regular applications are announced: not background ones nor
    /// accessories (LSUIElement), which most menu bar items belong to. Main
    /// thread only, as the handler is called there.
    virtual ObserverToken addApplicationChangeObserver(ApplicationChangeHandler handler) = 0;
    /// Removing an unknown or removed token does nothing.
    virtual void removeApplicationChangeObserver(ObserverToken token) = 0;
};

} // namespace corvel::platform
