#include "app/CorvelApplication.h"
#include "app/LaunchOptions.h"
#include "app/LaunchPlaces.h"
#include "app/SingleInstanceLock.h"
#include "platform/PosixProcessEnvironment.h"
#include "platform/SyslogSystemLog.h"
#include "sim/ScenarioLoader.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <iostream>

using namespace corvel;

namespace {

// With no display to show on, Corvel still runs: Qt draws offscreen.
void chooseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int refuse(const std::string& message) {
    std::cerr << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    chooseOffscreenWithoutDisplay();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Corvel");
    QApplication::setApplicationVersion(CORVEL_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);

    const auto parsed = app::LaunchOptions::parse(QApplication::arguments());
    if (const auto* exit = std::get_if<app::LaunchOptions::Exit>(&parsed)) {
        (exit->exitCode == 0 ? std::cout : std::cerr) << exit->text;
        return exit->exitCode;
    }
    const auto& options = std::get<app::LaunchOptions>(parsed);

    platform::PosixProcessEnvironment environment;
    const auto resolved =
        app::LaunchPlaces::resolve([&](const std::string& name) { return environment.get(name); },
                                   options.storeFile, std::filesystem::current_path());
    if (const auto* message = std::get_if<std::string>(&resolved))
        return refuse(*message);
    const auto& places = std::get<app::LaunchPlaces>(resolved);

    // Before anything is read or written: a second instance touches nothing.
    auto locked = app::SingleInstanceLock::acquire(places.supportFolder);
    if (std::holds_alternative<app::SingleInstanceLock::Refusal>(locked))
        return refuse("Corvel is already running.");
    if (const auto* message = std::get_if<std::string>(&locked))
        return refuse(*message);

    sim::Scenario scenario;
    try {
        scenario = options.scenarioFile ? sim::ScenarioLoader::fromFile(*options.scenarioFile)
                                        : sim::ScenarioLoader::defaultScenario();
    } catch (const std::exception& error) {
        return refuse(std::string("Corvel can't read the scenario: ") + error.what());
    }
    if (options.reset) {
        std::error_code ignored;
        std::filesystem::remove(places.store, ignored);
    }

    app::CorvelApplication corvel({
        .scenario = std::move(scenario),
        .storeURL = places.store,
        .defaultsFile = places.supportFolder / "defaults.ini",
        .log = std::make_shared<platform::SyslogSystemLog>(),
        .alerts = nullptr,
        .endLoop = nullptr,
    });
    return corvel.run();
}
