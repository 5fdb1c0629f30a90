#include "app/CorvelApplication.h"

#include "backend_mac26/Mac26Backend.h"
#include "sim/SimulatedDesktop.h"
#include "ui/QtModalAlerts.h"

#if CORVEL_NATIVE_MAC
#include "platform_mac/MacPlatform.h"
#endif

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <stdexcept>
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
// ports count from the top left of the menu bar's screen, which sits on the
// real screen where the mapping says (where it is, on a Mac).
StripWindowController::ScreenMapping stripPlacement(std::shared_ptr<platform::Screens> screens,
                                                    ScreenMapping mapping) {
    return [screens = std::move(screens), mapping](const platform::Point& bottomLeftOrigin,
                                                   const QSize& panelSize) {
        const auto frame = screens->mainScreenFrame();
        return mapping.topLeftOf(bottomLeftOrigin, panelSize, frame ? frame->size.height : 0);
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
    : configuration_(std::move(configuration)), platform_(makePlatformServices()),
      background_(std::make_unique<async::ThreadLoop>()) {
    if (!configuration_.alerts)
        configuration_.alerts = std::make_shared<QtModalAlerts>();
    if (!configuration_.endLoop)
        configuration_.endLoop = [] { QCoreApplication::exit(0); };
    const ScreenMapping mapping = view_ ? view_->mapping() : ScreenMapping{};
    delegate_ = CorvelAppDelegate::create({
        .mainExecutor = &main_,
        .backgroundExecutor = background_.get(),
        .platform = platform_,
        .alerts = configuration_.alerts,
        .storeURL = configuration_.storeURL,
        .wallClock = [] { return std::chrono::system_clock::now(); },
        .makeBackend = [this] { return makeBackend(); },
        .terminate = [this] { terminate(); },
        .stripPlacement = stripPlacement(platform_.screens, mapping),
        .defaults = makeDefaults(),
    });
    signals_ = std::make_unique<TerminationSignals>([this] { terminate(); });
}

platform::PlatformServices CorvelApplication::makePlatformServices() {
    platform::PlatformServices services;
    if (const auto& scenario = configuration_.scenario) {
        desktop_ = sim::SimulatedDesktop::create(main_, *scenario);
        view_ = std::make_unique<DesktopView>(
            main_, desktop_, scenario->screen, desktop_->currentProcessIdentifier(),
            configuration_.mapping.value_or(mappingFor(scenario->screen)));
        // Hot keys come before any window, Corvel's own too.
        keyboard_ = std::make_unique<PersonKeyboard>(desktop_);
        QCoreApplication::instance()->installEventFilter(keyboard_.get());
        services = desktop_->services();
    } else {
#if CORVEL_NATIVE_MAC
        services = mac::MacPlatform::services(main_, configuration_.log);
#else
        throw std::logic_error("Corvel runs on the Mac's own desktop only on a Mac");
#endif
    }
    services.systemLog = configuration_.log;
    return services;
}

// On the Mac's own desktop the settings window's frame is kept with the
// application's other preferences (the domain app.corvel.Corvel, beside the
// status items' places), as AppKit keeps a window's.
std::shared_ptr<QSettings> CorvelApplication::makeDefaults() const {
    if (!desktop_)
        return std::make_shared<QSettings>("corvel.app", "Corvel");
    return privateSettings(configuration_.defaultsFile);
}

std::shared_ptr<MenuBarBackend> CorvelApplication::makeBackend() {
    return std::make_shared<Mac26Backend>(CorvelAppDelegate::backendNamespace, platform_, main_,
                                          *background_);
}

CorvelApplication::~CorvelApplication() {
    signals_.reset();
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
    // The services' own objects (status items, monitors) go while the main
    // loop they post to still exists.
    platform_ = {};
    desktop_.reset();
}

void CorvelApplication::start() {
    platform_.activation->setActivationPolicy(platform::ActivationPolicy::accessory);
    if (view_)
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
