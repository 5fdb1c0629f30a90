// Corvel's own life in a soak: launched, quit, terminated or killed, and
// launched again on the same store and the same desktop.
#include "app/TerminationSignals.h"
#include "backend/MenuBarBackend.h"
#include "domain/StoreDocument.h"
#include "domain/StoreFile.h"
#include "engine/GroupStore.h"
#include "settings_ui/HostWindow.h"
#include "settings_ui/SettingsWindowController.h"
#include "soak/SoakRun.h"

#include <QCoreApplication>
#include <fstream>

namespace corvel::soak {

namespace {

using namespace std::chrono_literals;

// Corvel's tasks on the shared loop end within this once its objects are
// dropped.
constexpr async::Duration windDownBound = 10s;
constexpr async::Duration tick = 10ms;

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

void SoakRun::launchCorvel() {
    quitRequested_ = false;
    run_.onTerminate = [this] { quitRequested_ = true; };
    run_.launchCorvel();
    signals_ = std::make_unique<app::TerminationSignals>([this] { quitRequested_ = true; });
    // Launching puts every filed item back into the hidden region.
    needAHand_.clear();
    showAllUntil_ = {};
}

bool SoakRun::awaitQuit() {
    const bool asked = waitUntil([&] { return quitRequested_; }, std::chrono::seconds(5));
    signals_.reset();
    if (!asked)
        return false;
    run_.quitCorvel();
    windDown();
    return true;
}

// A process that ends takes its objects along at once. Here Corvel shares
// the loop with the desktop: its tasks end on their next turn and its
// windows go with Qt's deferred deletes, so the loop runs until they have.
void SoakRun::windDown() {
    std::weak_ptr<void> store = run_.delegate ? run_.delegate->store() : nullptr;
    std::weak_ptr<void> backend = run_.delegate ? run_.delegate->backend() : nullptr;
    signals_.reset();
    if (run_.delegate && run_.delegate->launchTask().valid())
        run_.delegate->launchTask().cancel();
    run_.endCorvel();
    const bool gone = waitUntil(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return store.expired() && backend.expired();
        },
        windDownBound);
    if (!gone && !pendingFailure_)
        pendingFailure_ = "Corvel's store or backend outlived it by " +
                          std::to_string(windDownBound.count() / 1'000'000'000) + " s";
}

void SoakRun::kill() {
    const auto path = std::filesystem::path(storePath());
    const auto atKill = StoreFile::readBytes(path);
    // A write that was under way when the process died leaves its temporary
    // file, cut short, beside the store.
    if (chance(50)) {
        const auto& store = *run_.delegate->store();
        const auto bytes =
            StoreDocument::encode({.groups = store.groups(), .items = store.items()});
        writeBytes(StoreFile::temporarySibling(path), bytes.substr(0, below(bytes.size())));
    }
    windDown();
    // What Corvel's tasks did on their way out, a killed process never did.
    if (atKill)
        writeBytes(path, *atKill);
    else
        std::filesystem::remove(path);
    run_.log->clear();
    killed_ = true;
}

bool SoakRun::waitUntil(const std::function<bool()>& condition, async::Duration limit) {
    const auto deadline = run_.loop.now() + limit;
    for (;;) {
        // What Qt's loop does on the Mac between two turns: queued calls,
        // shown rows, deferred deletes.
        QCoreApplication::processEvents();
        if (condition())
            return true;
        if (run_.loop.now() >= deadline)
            return false;
        run_.loop.advance(tick);
    }
}

void SoakRun::settingsShown() {
    auto& settings = *run_.delegate->settingsWindowController();
    if (!settings.window().isVisible())
        settings.show();
}

bool SoakRun::showAllActive() const {
    return run_.loop.now() < showAllUntil_;
}

std::vector<std::string> SoakRun::runningCandidates(bool running) const {
    std::vector<std::string> chosen;
    for (const auto& bundle : candidates_)
        if (run_.desktop->pidOf(bundle).has_value() == running)
            chosen.push_back(bundle);
    return chosen;
}

} // namespace corvel::soak
