#pragma once

#include "platform/Workspace.h"
#include "platform_mac/FirstUseLog.h"
#include "platform_mac/RecentTable.h"

#import <AppKit/AppKit.h>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace corvel::mac {

/// Running and installed applications and URLs (NSWorkspace and
/// NSRunningApplication, which may be used from any thread). Thread-safe.
/// An application's icon becomes PNG bytes once per process and is kept:
/// the poll lists the applications several times a second, and encoding
/// every icon each time would cost far more than the listing.
class MacWorkspace final : public platform::Workspace {
  public:
    /// Icons are read at this size in points, the workspace's own.
    static constexpr platform::Size iconSize{32, 32};
    static constexpr std::size_t iconCapacity = 256;

    explicit MacWorkspace(std::shared_ptr<FirstUseLog> notes);

    std::vector<platform::RunningApplication> runningApplications() const override;
    std::optional<platform::RunningApplication>
    runningApplicationForPid(std::int32_t pid) const override;
    std::vector<platform::RunningApplication>
    runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) const override;
    std::optional<std::string>
    urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const override;
    platform::Image iconForFile(const std::string& path) const override;
    bool openURL(const std::string& url) override;
    ObserverToken addApplicationChangeObserver(ApplicationChangeHandler handler) override;
    void removeApplicationChangeObserver(ObserverToken token) override;

  private:
    platform::RunningApplication read(NSRunningApplication* application) const;
    std::vector<platform::RunningApplication> read(NSArray<NSRunningApplication*>* list) const;
    std::optional<platform::Image> icon(NSRunningApplication* application,
                                        const platform::RunningApplication& read) const;

    std::shared_ptr<FirstUseLog> notes_;
    /// Main thread only: each token's two observers of the workspace's
    /// notification centre.
    std::map<ObserverToken, NSArray*> applicationObservers_;
    ObserverToken nextObserverToken_ = 1;
    mutable std::mutex mutex_;
    /// By process and bundle, as a process number may come back for another
    /// application.
    mutable RecentTable<std::pair<std::int32_t, std::string>, std::optional<platform::Image>>
        icons_;
};

} // namespace corvel::mac
