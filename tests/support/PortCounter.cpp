#include "support/PortCounter.h"

#include <algorithm>

namespace corvel::test {

namespace {

using platform::PlatformValue;

class CountingWindowList final : public platform::WindowList {
  public:
    CountingWindowList(std::shared_ptr<platform::WindowList> inner, PortCounter& counter)
        : inner_(std::move(inner)), counter_(counter) {}

    std::optional<PlatformValue> copyWindowInfo(std::uint32_t option,
                                                std::uint32_t relativeToWindow) const override {
        counter_.countWindowListRead();
        return inner_->copyWindowInfo(option, relativeToWindow);
    }

  private:
    const std::shared_ptr<platform::WindowList> inner_;
    PortCounter& counter_;
};

class CountingAccessibility final : public platform::Accessibility {
  public:
    CountingAccessibility(std::shared_ptr<platform::Accessibility> inner, PortCounter& counter)
        : inner_(std::move(inner)), counter_(counter) {}

    bool isProcessTrusted() const override {
        counter_.count(&PortCounter::Counts::trustChecks);
        return inner_->isProcessTrusted();
    }
    bool isProcessTrustedWithOptions(const PlatformValue::Dictionary& options) override {
        return inner_->isProcessTrustedWithOptions(options);
    }
    platform::AccessibilityElement createApplication(std::int32_t pid) const override {
        return inner_->createApplication(pid);
    }
    platform::AccessibilityValueResult
    copyAttributeValue(const platform::AccessibilityElement& element,
                       std::string_view attribute) const override {
        counter_.count(&PortCounter::Counts::accessibilityReads);
        if (attribute == extrasMenuBarAttribute)
            counter_.countExtrasBarRead(element.pid);
        return inner_->copyAttributeValue(element, attribute);
    }
    platform::AccessibilityError performAction(const platform::AccessibilityElement& element,
                                               std::string_view action) override {
        counter_.count(&PortCounter::Counts::accessibilityActions);
        return inner_->performAction(element, action);
    }
    platform::AccessibilityElement createSystemWide() const override {
        return inner_->createSystemWide();
    }
    platform::AccessibilityError setMessagingTimeout(const platform::AccessibilityElement& element,
                                                     float timeoutInSeconds) override {
        return inner_->setMessagingTimeout(element, timeoutInSeconds);
    }

  private:
    const std::shared_ptr<platform::Accessibility> inner_;
    PortCounter& counter_;
};

class CountingWorkspace final : public platform::Workspace {
  public:
    CountingWorkspace(std::shared_ptr<platform::Workspace> inner, PortCounter& counter)
        : inner_(std::move(inner)), counter_(counter) {}

    std::vector<platform::RunningApplication> runningApplications() const override {
        counter_.count(&PortCounter::Counts::workspaceReads);
        return inner_->runningApplications();
    }
    std::optional<platform::RunningApplication>
    runningApplicationForPid(std::int32_t pid) const override {
        counter_.count(&PortCounter::Counts::workspaceReads);
        return inner_->runningApplicationForPid(pid);
    }
    std::vector<platform::RunningApplication>
    runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) const override {
        counter_.count(&PortCounter::Counts::workspaceReads);
        return inner_->runningApplicationsWithBundleIdentifier(bundleIdentifier);
    }
    std::optional<std::string>
    urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const override {
        return inner_->urlForApplicationWithBundleIdentifier(bundleIdentifier);
    }
    platform::Image iconForFile(const std::string& path) const override {
        return inner_->iconForFile(path);
    }
    bool openURL(const std::string& url) override { return inner_->openURL(url); }
    ObserverToken addApplicationChangeObserver(ApplicationChangeHandler handler) override {
        return inner_->addApplicationChangeObserver(std::move(handler));
    }
    void removeApplicationChangeObserver(ObserverToken token) override {
        inner_->removeApplicationChangeObserver(token);
    }

  private:
    const std::shared_ptr<platform::Workspace> inner_;
    PortCounter& counter_;
};

class CountingSyntheticEvents final : public platform::SyntheticEvents {
  public:
    CountingSyntheticEvents(std::shared_ptr<platform::SyntheticEvents> inner, PortCounter& counter)
        : inner_(std::move(inner)), counter_(counter) {}

    std::optional<platform::EventSource>
    createSource(platform::EventSourceStateID stateID) override {
        return inner_->createSource(stateID);
    }
    std::optional<platform::SyntheticEvent> createMouseEvent(const platform::EventSource* source,
                                                             platform::EventType type,
                                                             platform::Point location,
                                                             platform::MouseButton button) override {
        return inner_->createMouseEvent(source, type, location, button);
    }
    std::optional<platform::SyntheticEvent> createKeyboardEvent(const platform::EventSource* source,
                                                                std::uint16_t keyCode,
                                                                bool keyDown) override {
        return inner_->createKeyboardEvent(source, keyCode, keyDown);
    }
    void post(platform::EventTapLocation tap, const platform::SyntheticEvent& event) override {
        counter_.count(&PortCounter::Counts::eventPosts);
        inner_->post(tap, event);
    }
    void postToPid(std::int32_t pid, const platform::SyntheticEvent& event) override {
        counter_.count(&PortCounter::Counts::eventPosts);
        inner_->postToPid(pid, event);
    }

  private:
    const std::shared_ptr<platform::SyntheticEvents> inner_;
    PortCounter& counter_;
};

} // namespace

int PortCounter::Counts::fullScans(const std::set<std::int32_t>& pids) const {
    if (pids.empty())
        return 0;
    int fewest = -1;
    for (const auto pid : pids) {
        const auto found = extrasBarReadsByPid.find(pid);
        const int reads = found == extrasBarReadsByPid.end() ? 0 : found->second;
        fewest = fewest < 0 ? reads : std::min(fewest, reads);
    }
    return fewest;
}

platform::PlatformServices PortCounter::wrap(platform::PlatformServices ports) {
    ports.windowList = std::make_shared<CountingWindowList>(std::move(ports.windowList), *this);
    ports.accessibility =
        std::make_shared<CountingAccessibility>(std::move(ports.accessibility), *this);
    ports.workspace = std::make_shared<CountingWorkspace>(std::move(ports.workspace), *this);
    ports.syntheticEvents =
        std::make_shared<CountingSyntheticEvents>(std::move(ports.syntheticEvents), *this);
    return ports;
}

PortCounter::Counts PortCounter::counts() const {
    std::lock_guard lock(mutex_);
    return counts_;
}

void PortCounter::reset() {
    std::lock_guard lock(mutex_);
    counts_ = {};
}

void PortCounter::count(int Counts::*field) {
    std::lock_guard lock(mutex_);
    ++(counts_.*field);
}

void PortCounter::countWindowListRead() {
    std::lock_guard lock(mutex_);
    ++counts_.windowListReads;
    if (clock_)
        counts_.windowListReadTimes.push_back(clock_->now());
}

void PortCounter::countExtrasBarRead(std::int32_t pid) {
    std::lock_guard lock(mutex_);
    ++counts_.extrasBarReadsByPid[pid];
}

} // namespace corvel::test
