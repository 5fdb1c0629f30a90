#include "platform_mac/MacWorkspace.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MacImages.h"

namespace corvel::mac {

MacWorkspace::MacWorkspace(std::shared_ptr<FirstUseLog> notes)
    : notes_(std::move(notes)), icons_(iconCapacity) {}

platform::RunningApplication MacWorkspace::read(NSRunningApplication* application) const {
    platform::RunningApplication read;
    read.processIdentifier = application.processIdentifier;
    read.bundleIdentifier = utf8(application.bundleIdentifier);
    read.localizedName = utf8(application.localizedName);
    const NSInteger policy = application.activationPolicy;
    if (policy >= 0 && policy <= 2) {
        read.activationPolicy = static_cast<platform::ActivationPolicy>(policy);
    } else {
        notes_->once("activation policy " + std::to_string(policy),
                     "Corvel: NSRunningApplication activationPolicy is " + std::to_string(policy) +
                         "; Corvel takes it as regular");
    }
    read.icon = icon(application, read);
    return read;
}

std::vector<platform::RunningApplication>
MacWorkspace::read(NSArray<NSRunningApplication*>* list) const {
    std::vector<platform::RunningApplication> applications;
    applications.reserve(list.count);
    for (NSRunningApplication* application in list)
        applications.push_back(read(application));
    return applications;
}

std::optional<platform::Image> MacWorkspace::icon(NSRunningApplication* application,
                                                  const platform::RunningApplication& read) const {
    const auto key = std::make_pair(read.processIdentifier, read.bundleIdentifier.value_or(""));
    {
        std::lock_guard lock(mutex_);
        if (const auto* kept = icons_.find(key))
            return *kept;
    }
    std::optional<platform::Image> made;
    if (NSImage* icon = application.icon)
        if (auto bytes = MacImages::png(icon, iconSize))
            made = platform::Image::png(std::move(*bytes), iconSize);
    std::lock_guard lock(mutex_);
    icons_.put(key, made);
    return made;
}

std::vector<platform::RunningApplication> MacWorkspace::runningApplications() const {
    return read([NSWorkspace sharedWorkspace].runningApplications);
}

std::optional<platform::RunningApplication>
MacWorkspace::runningApplicationForPid(std::int32_t pid) const {
    NSRunningApplication* found =
        [NSRunningApplication runningApplicationWithProcessIdentifier:pid];
    if (!found)
        return std::nullopt;
    return read(found);
}

std::vector<platform::RunningApplication>
MacWorkspace::runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) const {
    return read(
        [NSRunningApplication runningApplicationsWithBundleIdentifier:nsString(bundleIdentifier)]);
}

std::optional<std::string>
MacWorkspace::urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const {
    NSURL* url = [[NSWorkspace sharedWorkspace]
        URLForApplicationWithBundleIdentifier:nsString(bundleIdentifier)];
    if (!url)
        return std::nullopt;
    return utf8(url.absoluteString);
}

platform::Image MacWorkspace::iconForFile(const std::string& path) const {
    NSImage* icon = [[NSWorkspace sharedWorkspace] iconForFile:nsString(path)];
    if (auto bytes = MacImages::png(icon, iconSize))
        return platform::Image::png(std::move(*bytes), iconSize);
    notes_->once("iconForFile",
                 "Corvel: the workspace's icon of " + path + " has no PNG form; it shows as empty");
    return platform::Image::png({}, iconSize);
}

bool MacWorkspace::openURL(const std::string& url) {
    NSURL* parsed = [NSURL URLWithString:nsString(url)];
    if (!parsed) {
        notes_->log().write("Corvel: NSURL refused " + url + "; nothing was opened");
        return false;
    }
    if ([[NSWorkspace sharedWorkspace] openURL:parsed])
        return true;
    notes_->log().write("Corvel: the workspace opened nothing for " + url);
    return false;
}

platform::Workspace::ObserverToken
MacWorkspace::addApplicationChangeObserver(ApplicationChangeHandler handler) {
    NSNotificationCenter* center = [NSWorkspace sharedWorkspace].notificationCenter;
    auto shared = std::make_shared<ApplicationChangeHandler>(std::move(handler));
    // The main queue: the port promises the handler the main thread, and the
    // centre would otherwise call it on whichever thread posted.
    auto observe = [&](NSNotificationName name, platform::ApplicationChange change) {
        return [center addObserverForName:name
                                   object:nil
                                    queue:[NSOperationQueue mainQueue]
                               usingBlock:^(NSNotification* notification) {
                                 NSRunningApplication* application =
                                     [notification.userInfo objectForKey:NSWorkspaceApplicationKey];
                                 (*shared)(change, application ? application.processIdentifier : 0);
                               }];
    };
    id<NSObject> observers[] = {
        observe(NSWorkspaceDidLaunchApplicationNotification, platform::ApplicationChange::launched),
        observe(NSWorkspaceDidTerminateApplicationNotification,
                platform::ApplicationChange::terminated)};
    const ObserverToken token = nextObserverToken_++;
    applicationObservers_[token] = [NSArray arrayWithObjects:observers count:2];
    return token;
}

void MacWorkspace::removeApplicationChangeObserver(ObserverToken token) {
    const auto found = applicationObservers_.find(token);
    if (found == applicationObservers_.end())
        return;
    NSNotificationCenter* center = [NSWorkspace sharedWorkspace].notificationCenter;
    for (id observer in found->second)
        [center removeObserver:observer];
    applicationObservers_.erase(found);
}

} // namespace corvel::mac
