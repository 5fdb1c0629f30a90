#include "app/CorvelApplication.h"

#include "backend_mac26/Mac26Backend.h"
#include "sim/SimulatedDesktop.h"
#include "ui/QtModalAlerts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvel::app {

namespace {

ScreenMapping mappingFor(const sim::Scenario::Screen& screen) {
    const QScreen* real = QGuiApplication::primaryScreen();
    const QRect available = real ? real->availableGeometry() : QRect(0, 0, 1512, 982);
    return ScreenMapping::fit({screen.width, screen.height}, available);
}

// The Strip is placed in the window system's bottom-left coordinates; the
// simulated display counts from the top left, and sits on the real screen
// where the mapping says.
StripWindowController::ScreenMapping stripPlacement(const sim::Scenario::Screen& screen,
                                                    ScreenMapping mapping) {
    return [height = screen.height, mapping](const platform::Point& bottomLeftOrigin,
                                             const QSize& panelSize) {
        return mapping.topLeftOf(bottomLeftOrigin, panelSize, height);
    };
}

// Window frames say little, but they sit beside the store in the person's
// private folder and are theirs alone. Qt replaces the file keeping the mode
// it finds, so the file is made (or made again) private before Qt writes it.
std::shared_ptr<QSettings> privateSettings(const std::filesystem::path& file) {
    if (!file.empty()) {
        const int descriptor =
            ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (descriptor >= 0) {
            ::fchmod(descriptor, 0600);
            ::close(descriptor);
        }
    }
    return std::make_shared<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

} // namespace

CorvelApplication::CorvelApplication(Configuration configuration)
    : configuration_(std::move(configuration)),
      desktop_(sim::SimulatedDesktop::create(main_, configuration_.scenario)),
      background_(std::make_unique<async::ThreadLoop>()) {
    if (!configuration_.alerts)
        configuration_.alerts = std::make_shared<QtModalAlerts>();
    if (!configuration_.endLoop)
        configuration_.endLoop = [] { QCoreApplication::exit(0); };
    view_ = std::make_unique<DesktopView>(
        desktop_, configuration_.scenario.screen, desktop_->currentProcessIdentifier(),
        configuration_.mapping.value_or(mappingFor(configuration_.scenario.screen)));
    main_.setAfterWork([view = view_.get()] { view->scheduleRefresh(); });
    // Hot keys come before any window, Corvel's own too.
    keyboard_ = std::make_unique<PersonKeyboard>(desktop_);
    QCoreApplication::instance()->installEventFilter(keyboard_.get());
    auto platform = desktop_->services();
    platform.systemLog = configuration_.log;
    delegate_ = CorvelAppDelegate::create({
        .mainExecutor = &main_,
        .backgroundExecutor = background_.get(),
        .platform = platform,
        .alerts = configuration_.alerts,
        .storeURL = configuration_.storeURL,
        .wallClock = [] { return std::chrono::system_clock::now(); },
        .makeBackend = [this] { return makeBackend(); },
        .terminate = [this] { terminate(); },
        .stripPlacement = stripPlacement(configuration_.scenario.screen, view_->mapping()),
        .defaults = privateSettings(configuration_.defaultsFile),
    });
    signals_ = std::make_unique<TerminationSignals>([this] { terminate(); });
}

std::shared_ptr<MenuBarBackend> CorvelApplication::makeBackend() {
    auto platform = desktop_->services();
    platform.systemLog = configuration_.log;
    return std::make_shared<Mac26Backend>(CorvelAppDelegate::backendNamespace, platform, main_,
                                          *background_);
}

CorvelApplication::~CorvelApplication() {
    signals_.reset();
    main_.setAfterWork(nullptr);
    // The runtime's one shutdown order. First the long-lived tasks end: the
    // launch, and with the graph the icon listener and the backend's poll.
    if (delegate_->launchTask().valid())
        delegate_->launchTask().cancel();
    delegate_.reset();
    main_.runUntilIdle();
    // Then the thread loop finishes what was handed to it and hands its
    // tasks back, and the main loop lets them end before it goes.
    background_.reset();
    main_.runUntilIdle();
    view_.reset();
    main_.runUntilIdle();
}

void CorvelApplication::start() {
    desktop_->setActivationPolicy(platform::ActivationPolicy::accessory);
    view_->show();
    delegate_->applicationDidFinishLaunching();
}

int CorvelApplication::run() {
    start();
    return QCoreApplication::exec();
}

void CorvelApplication::terminate() {
    if (terminating_)
        return;
    terminating_ = true;
    async::spawn(main_, quit(delegate_, [this] {
                     ended_ = true;
                     configuration_.endLoop();
                 }));
}

async::Task<void> CorvelApplication::quit(std::shared_ptr<CorvelAppDelegate> delegate,
                                          std::function<void()> finished) {
    auto flushing = delegate->flushStore();
    co_await std::move(flushing);
    finished();
}

} // namespace corvel::app
