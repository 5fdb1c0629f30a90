#include "app/CorvelApplication.h"
#include "app/LaunchOptions.h"
#include "app/LaunchPlaces.h"
#include "app/MirroredSystemLog.h"
#include "app/OffscreenDisplay.h"
#include "app/SingleInstanceLock.h"
#include "app/Tour.h"
#include "app/TourPlan.h"
#include "domain/StoreFile.h"
#include "platform/PosixProcessEnvironment.h"
#include "platform/SyslogSystemLog.h"
#include "sim/ScenarioLoader.h"

#if CORVEL_NATIVE_MAC
#include "platform_mac/MacPlatform.h"
#endif

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>

using namespace corvel;

namespace {

void nameApplication() {
    QApplication::setApplicationName("Corvel");
    QApplication::setApplicationVersion(CORVEL_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
}

int refuse(const std::string& message) {
    std::cerr << message << '\n';
    return 1;
}

// The platform's own log: the unified log on a Mac, syslog elsewhere; both
// mirrored to standard error.
std::shared_ptr<platform::SystemLog> platformLog() {
#if CORVEL_NATIVE_MAC
    return mac::MacPlatform::systemLog();
#else
    return std::make_shared<platform::SyslogSystemLog>();
#endif
}

std::optional<sim::Scenario> loadScenario(const app::LaunchOptions& options) {
    try {
        return options.scenarioFile ? sim::ScenarioLoader::fromFile(*options.scenarioFile)
                                    : sim::ScenarioLoader::defaultScenario();
    } catch (const std::exception& error) {
        std::cerr << "Corvel can't read the scenario: " << error.what() << '\n';
        return std::nullopt;
    }
}

// The tour keeps everything it writes in its own folder, so it runs beside a
// Corvel in use and needs no per-user place.
int playTour(const app::LaunchOptions& options, int& argc, char** argv) {
    if (options.storeFile)
        return refuse("corvel: the tour keeps its own store in its folder; leave out --store");
    auto scenario = loadScenario(options);
    if (!scenario)
        return 1;
    *scenario = app::Tour::prepared(std::move(*scenario));
    auto plan = app::TourPlan::of(*scenario);
    if (!plan.lacks.empty()) {
        std::cerr << "tour: cannot play on this desktop, which lacks:\n";
        for (const auto& lack : plan.lacks)
            std::cerr << "  - " << lack << '\n';
        return 1;
    }
    const std::filesystem::path folder = std::filesystem::absolute(*options.tourDirectory);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return refuse("Corvel can't create " + folder.string() + ": " + error.message());
    std::filesystem::remove(folder / "store.json", error);
    std::filesystem::remove(folder / "defaults.ini", error);
    // The tour's product is its pictures: Qt draws offscreen, on a screen
    // the size of the simulated display, even where there is a display.
    app::OffscreenDisplay::choose(scenario->screen, folder / "offscreen.json",
                                  app::OffscreenDisplay::When::always);
    QApplication application(argc, argv);
    nameApplication();
    auto log = std::make_shared<app::MirroredSystemLog>(platformLog(), folder / "corvel.log");
    if (!log->isOpen())
        return refuse("Corvel can't write " + (folder / "corvel.log").string());

    app::CorvelApplication corvel({
        .scenario = std::move(*scenario),
        .storeURL = folder / "store.json",
        .defaultsFile = folder / "defaults.ini",
        .log = log,
        .alerts = nullptr,
        .endLoop = nullptr,
        .mapping = app::ScreenMapping{},
    });
    app::Tour tour(corvel, std::move(plan), folder, *log);
    const auto started = std::chrono::steady_clock::now();
    tour.start([&] { corvel.terminate(); });
    corvel.run();
    // Qt's loop ends before the tour only when Corvel was told to quit.
    tour.stop("Corvel was asked to quit");
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::cout << "tour: " << tour.pictures().size() << " pictures in " << folder.string() << " ("
              << std::fixed << std::setprecision(1) << took.count() << " s)\n";
    if (!tour.succeeded()) {
        std::cerr << "tour: failed: " << tour.failure() << '\n';
        return 1;
    }
    std::cout << "tour: every step saw what it expected\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto parsed = app::LaunchOptions::parse(arguments);
    if (const auto* exit = std::get_if<app::LaunchOptions::Exit>(&parsed)) {
        (exit->exitCode == 0 ? std::cout : std::cerr) << exit->text;
        return exit->exitCode;
    }
    const auto& options = std::get<app::LaunchOptions>(parsed);
    if (options.tourDirectory)
        return playTour(options, argc, argv);

    platform::PosixProcessEnvironment environment;
    const auto resolved =
        app::LaunchPlaces::resolve([&](const std::string& name) { return environment.get(name); },
                                   options.storeFile, std::filesystem::current_path());
    if (const auto* message = std::get_if<std::string>(&resolved))
        return refuse(*message);
    const auto& places = std::get<app::LaunchPlaces>(resolved);
    // A folder, pipe or device there would never hold a store; refusing now
    // leaves it untouched.
    if (auto what = StoreFile::notAFile(places.store))
        return refuse("Corvel can't keep its store in " + places.store.string() + ": that is " +
                      *what + ", not a file.");

    // Before anything is read or written: a second instance touches nothing.
    auto locked = app::SingleInstanceLock::acquire(places.supportFolder);
    if (std::holds_alternative<app::SingleInstanceLock::Refusal>(locked))
        return refuse("Corvel is already running.");
    if (const auto* message = std::get_if<std::string>(&locked))
        return refuse(*message);

    // No scenario: the Mac's own desktop.
    std::optional<sim::Scenario> scenario;
    if (options.runsSimulated()) {
        scenario = loadScenario(options);
        if (!scenario)
            return 1;
    }
    if (options.reset) {
        // A linked store stays linked: the file it leads to goes.
        std::error_code ignored;
        std::filesystem::remove(StoreFile::resolved(places.store), ignored);
    }

    // With no display to show on, Corvel still runs on the simulated
    // desktop: Qt draws offscreen.
    if (scenario)
        app::OffscreenDisplay::choose(scenario->screen, places.supportFolder / "offscreen.json",
                                      app::OffscreenDisplay::When::noDisplay);
    QApplication application(argc, argv);
    nameApplication();

    app::CorvelApplication corvel({
        .scenario = std::move(scenario),
        .storeURL = places.store,
        .defaultsFile = places.supportFolder / "defaults.ini",
        .log = platformLog(),
        .alerts = nullptr,
        .endLoop = nullptr,
        .mapping = std::nullopt,
    });
    return corvel.run();
}
