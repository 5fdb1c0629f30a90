// The ports whose simulated behaviour is a plain read or write of the world:
// accessibility reads, workspace, activation, screen capture, environment,
// screens, monitors and symbols.
#include "sim/AccessibilityTree.h"
#include "sim/ItemPainter.h"
#include "sim/PngEncoder.h"
#include "sim/SimulatedDesktop.h"
#include "sim/SymbolCatalog.h"
#include "sim/WindowServer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace corvel::sim {

namespace {

constexpr std::uint32_t iconSize = 32;

std::string applicationPath(const SimProcess& process) {
    std::string path = "/Applications/" + process.name + ".app";
    return path;
}

std::string fileURL(const std::string& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) ||
            std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0xF];
        }
    }
    return url;
}

platform::Image pngImage(const platform::CapturedImage& pixels) {
    auto bytes = PngEncoder::encode(pixels).value_or(std::vector<std::uint8_t>{});
    return platform::Image::png(std::move(bytes), {double(pixels.width), double(pixels.height)});
}

} // namespace

// Accessibility

bool SimulatedDesktop::isProcessTrusted() const {
    const auto lock = hold();
    return world_.accessibilityTrusted;
}

bool SimulatedDesktop::isProcessTrustedWithOptions(
    const platform::PlatformValue::Dictionary& options) {
    const auto lock = hold();
    auto prompt = options.find(trustedCheckOptionPrompt);
    if (prompt != options.end() && prompt->second.asBoolean().value_or(false) &&
        !world_.accessibilityTrusted) {
        ++world_.counters.accessibilityPrompts;
        if (world_.accessibilityGrantedOnPrompt)
            world_.accessibilityTrusted = true;
    }
    return world_.accessibilityTrusted;
}

platform::AccessibilityElement SimulatedDesktop::createApplication(std::int32_t pid) const {
    return {pid, 0};
}

platform::AccessibilityValueResult
SimulatedDesktop::copyAttributeValue(const platform::AccessibilityElement& element,
                                     std::string_view attribute) const {
    if (awaitAccessibilityAnswer(element))
        return platform::AccessibilityValueResult::failed(
            platform::AccessibilityError::cannotComplete);
    const auto lock = hold();
    return AccessibilityTree::copyAttributeValue(world_, element, attribute, executor_.now());
}

platform::AccessibilityElement SimulatedDesktop::createSystemWide() const {
    return AccessibilityTree::systemWideElement;
}

platform::AccessibilityError
SimulatedDesktop::setMessagingTimeout(const platform::AccessibilityElement& element,
                                      float timeoutInSeconds) {
    if (!(timeoutInSeconds >= 0) || !std::isfinite(timeoutInSeconds))
        return platform::AccessibilityError::illegalArgument;
    // A float's seconds, to the microsecond: 0.1f is 100 ms, not a hair more.
    const async::Duration timeout = std::chrono::round<std::chrono::microseconds>(
        std::chrono::duration<double>(timeoutInSeconds));
    const auto lock = hold();
    if (element == AccessibilityTree::systemWideElement) {
        world_.messagingTimeout = timeoutInSeconds == 0 ? World::defaultMessagingTimeout : timeout;
        return platform::AccessibilityError::success;
    }
    const std::pair key{element.pid, element.id};
    if (timeoutInSeconds == 0)
        world_.elementMessagingTimeouts.erase(key);
    else
        world_.elementMessagingTimeouts[key] = timeout;
    return platform::AccessibilityError::success;
}

// The answer is read when it arrives, so a walk that takes a while sees the
// world as it is at each of its reads. The wait happens outside the lock: the
// desktop goes on meanwhile.
bool SimulatedDesktop::awaitAccessibilityAnswer(
    const platform::AccessibilityElement& element) const {
    async::Duration wait{0};
    bool neverAnswers = false;
    {
        const auto lock = hold();
        const SimProcess* process = world_.process(element.pid);
        if (!world_.accessibilityTrusted || !process || !process->running ||
            element.pid == world_.selfPid())
            return false;
        neverAnswers = process->hung;
        wait = world_.accessibilityReadCost;
        if (neverAnswers) {
            const auto own = world_.elementMessagingTimeouts.find({element.pid, element.id});
            wait = own != world_.elementMessagingTimeouts.end() ? own->second
                                                                : world_.messagingTimeout;
        }
    }
    // A thread that runs no executor of the runtime is not held.
    if (wait > async::Duration::zero())
        if (async::Executor* executor = async::runningExecutor())
            executor->holdThread(wait);
    return neverAnswers;
}

// Workspace

platform::Image SimulatedDesktop::iconLocked(const SimProcess& process) const {
    auto found = iconCache_.find(process.pid);
    if (found == iconCache_.end())
        found =
            iconCache_.emplace(process.pid, pngImage(ItemPainter::icon(process.color, iconSize)))
                .first;
    return found->second;
}

platform::RunningApplication
SimulatedDesktop::runningApplicationLocked(const SimProcess& process) const {
    return {process.pid, process.bundleIdentifier, process.name, process.activationPolicy,
            iconLocked(process)};
}

std::vector<platform::RunningApplication> SimulatedDesktop::runningApplications() const {
    const auto lock = hold();
    std::vector<platform::RunningApplication> result;
    for (const auto& process : world_.processes())
        if (process.running && process.isApplication)
            result.push_back(runningApplicationLocked(process));
    return result;
}

std::optional<platform::RunningApplication>
SimulatedDesktop::runningApplicationForPid(std::int32_t pid) const {
    const auto lock = hold();
    const SimProcess* process = world_.process(pid);
    if (!process || !process->running || !process->isApplication)
        return std::nullopt;
    return runningApplicationLocked(*process);
}

std::vector<platform::RunningApplication> SimulatedDesktop::runningApplicationsWithBundleIdentifier(
    const std::string& bundleIdentifier) const {
    const auto lock = hold();
    std::vector<platform::RunningApplication> result;
    for (const auto& process : world_.processes())
        if (process.running && process.isApplication &&
            process.bundleIdentifier == bundleIdentifier)
            result.push_back(runningApplicationLocked(process));
    return result;
}

std::optional<std::string>
SimulatedDesktop::urlForApplicationWithBundleIdentifier(const std::string& bundleIdentifier) const {
    const auto lock = hold();
    for (const auto& process : world_.processes())
        if (process.isApplication && process.bundleIdentifier == bundleIdentifier)
            return fileURL(applicationPath(process));
    return std::nullopt;
}

platform::Image SimulatedDesktop::iconForFile(const std::string& path) const {
    const auto lock = hold();
    for (const auto& process : world_.processes())
        if (process.isApplication && applicationPath(process) == path)
            return iconLocked(process);
    return pngImage(ItemPainter::icon({200, 200, 200}, iconSize));
}

bool SimulatedDesktop::openURL(const std::string& url) {
    const auto colon = url.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    const auto lock = hold();
    world_.openedURLs.push_back(url);
    return true;
}

platform::Workspace::ObserverToken
SimulatedDesktop::addApplicationChangeObserver(ApplicationChangeHandler handler) {
    const auto lock = hold();
    const ObserverToken token = world_.nextApplicationObserverToken++;
    world_.applicationObservers.emplace(token, std::move(handler));
    return token;
}

void SimulatedDesktop::removeApplicationChangeObserver(ObserverToken token) {
    decltype(world_.applicationObservers)::node_type removed; // its handler dies unlocked
    const auto lock = hold();
    removed = world_.applicationObservers.extract(token);
}

// Activation

void SimulatedDesktop::setActivationPolicy(platform::ActivationPolicy policy) {
    const auto lock = hold();
    world_.process(world_.selfPid())->activationPolicy = policy;
}

void SimulatedDesktop::activateIgnoringOtherApps(bool) {
    const auto lock = hold();
    ++world_.selfActivations;
}

// Screen capture

bool SimulatedDesktop::preflightAccess() const {
    const auto lock = hold();
    return world_.screenRecordingGranted;
}

bool SimulatedDesktop::requestAccess() {
    const auto lock = hold();
    ++world_.counters.screenRecordingRequests;
    if (world_.screenRecordingGrantedOnRequest)
        world_.screenRecordingGranted = true;
    return world_.screenRecordingGranted;
}

async::Task<std::optional<std::vector<platform::ShareableWindow>>>
SimulatedDesktop::shareableWindows() {
    std::optional<std::vector<platform::ShareableWindow>> windows;
    {
        const auto lock = hold();
        if (!world_.captureFails && world_.screenRecordingGranted)
            windows = WindowServer::shareableWindows(world_, executor_.now());
    }
    co_return windows;
}

async::Task<std::optional<platform::CapturedImage>>
SimulatedDesktop::captureImage(platform::CaptureConfiguration configuration) {
    std::optional<platform::CapturedImage> image;
    {
        const auto lock = hold();
        ++world_.counters.captures;
        const bool possible = !world_.captureFails && world_.screenRecordingGranted &&
                              configuration.width > 0 && configuration.height > 0;
        const auto windows = WindowServer::shareableWindows(world_, executor_.now());
        const auto window = std::find_if(windows.begin(), windows.end(), [&](const auto& w) {
            return w.windowID == configuration.desktopIndependentWindowID;
        });
        const StatusEntry* entry =
            world_.listedEntryByWindow(configuration.desktopIndependentWindowID);
        if (possible && window != windows.end() && entry) {
            const SimProcess* creator = world_.process(entry->creatorPid);
            const ItemPainter::Color color =
                creator ? creator->color : ItemPainter::Color{128, 128, 128};
            image = ItemPainter::item(color, entry->windowNumber, configuration.width,
                                      configuration.height);
        }
    }
    co_return image;
}

std::optional<std::vector<std::uint8_t>>
SimulatedDesktop::pngRepresentation(const platform::CapturedImage& image) {
    return PngEncoder::encode(image);
}

// Environment, screens, monitors, symbols

std::optional<std::string> SimulatedDesktop::get(const std::string& name) const {
    const auto lock = hold();
    auto found = world_.environment.find(name);
    if (found == world_.environment.end())
        return std::nullopt;
    return found->second;
}

void SimulatedDesktop::set(const std::string& name, const std::string& value) {
    const auto lock = hold();
    world_.environment[name] = value;
}

std::optional<platform::Rect> SimulatedDesktop::mainScreenFrame() const {
    const auto lock = hold();
    return world_.screenFrame();
}

std::optional<platform::GlobalEventMonitor::Token>
SimulatedDesktop::addGlobalMonitor(std::uint64_t mask, Handler handler) {
    const auto lock = hold();
    const Token token = world_.nextMonitorToken++;
    world_.monitors.emplace(token, std::make_pair(mask, std::move(handler)));
    return token;
}

void SimulatedDesktop::removeMonitor(Token token) {
    decltype(world_.monitors)::node_type removed; // its handler dies unlocked
    const auto lock = hold();
    removed = world_.monitors.extract(token);
}

std::optional<platform::Image>
SimulatedDesktop::systemSymbolImage(const std::string& name,
                                    const std::string& accessibilityDescription) const {
    const auto lock = hold();
    const auto& missing = world_.scenario().missingSymbols;
    if (!SymbolCatalog::contains(name) || std::count(missing.begin(), missing.end(), name) > 0)
        return std::nullopt;
    auto image = platform::Image::symbol(name);
    image.setAccessibilityDescription(accessibilityDescription);
    return image;
}

} // namespace corvel::sim
