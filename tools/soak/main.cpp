// corvel_soak: a seeded, reproducible life of Corvel on the simulated
// desktop in virtual time, checked after every step.
#include "QuietOffscreen.h"
#include "sim/ScenarioLoader.h"
#include "soak/SoakRun.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

struct Options {
    std::uint64_t seed = 1;
    int steps = 1000;
    std::string scenarioFile;
    std::string desktop = corvel::sim::ScenarioLoader::defaultName;
    bool quiet = false;
};

const char* const usage =
    "usage: corvel_soak [--seed S] [--steps N] [--scenario FILE | --desktop NAME] [--quiet]\n"
    "Plays N steps (1000) of a life of Corvel chosen by the seed S (1) on the simulated\n"
    "desktop of FILE or of a built-in one (default, unhosted), checking it after every\n"
    "step. --quiet prints only the summary.\n";

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--quiet")
            options.quiet = true;
        else if (argument == "--seed" && hasValue)
            options.seed = std::stoull(argv[++i]);
        else if (argument == "--steps" && hasValue)
            options.steps = std::stoi(argv[++i]);
        else if (argument == "--scenario" && hasValue)
            options.scenarioFile = argv[++i];
        else if (argument == "--desktop" && hasValue)
            options.desktop = argv[++i];
        else
            throw std::invalid_argument("unknown or incomplete argument " + argument);
    }
    if (options.steps < 0)
        throw std::invalid_argument("--steps must not be negative");
    return options;
}

std::string reproduction(const Options& options, int steps) {
    return "corvel_soak --seed " + std::to_string(options.seed) + " --steps " +
           std::to_string(steps) +
           (options.scenarioFile.empty() ? " --desktop " + options.desktop
                                         : " --scenario " + options.scenarioFile);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    corvel::sim::Scenario scenario;
    try {
        options = parse(argc, argv);
        scenario = options.scenarioFile.empty()
                       ? corvel::sim::ScenarioLoader::builtIn(options.desktop)
                       : corvel::sim::ScenarioLoader::fromFile(options.scenarioFile);
    } catch (const std::exception& error) {
        std::cerr << "corvel_soak: " << error.what() << '\n' << usage;
        return 2;
    }
    corvel::tools::useQuietOffscreenPlatform();
    QApplication application(argc, argv);

    const auto began = std::chrono::steady_clock::now();
    corvel::soak::SoakRun run(std::move(scenario), options.seed,
                              options.quiet ? nullptr : &std::cout);
    const auto failure = run.play(options.steps);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    const double hours = std::chrono::duration<double, std::ratio<3600>>(run.elapsed()).count();
    std::printf("soak: seed %llu, %d steps, %.1f hours of virtual time in %.1f s (%.0f steps/s)\n",
                static_cast<unsigned long long>(options.seed), run.stepsPlayed(), hours, seconds,
                seconds > 0 ? run.stepsPlayed() / seconds : 0.0);
    if (failure) {
        std::printf("soak: seed %llu failed at step %d: %s\nsoak: reproduce with %s\n",
                    static_cast<unsigned long long>(options.seed), failure->step,
                    failure->what.c_str(), reproduction(options, failure->step).c_str());
        std::printf("soak: the menu bar then: %s\n", run.menuBar().c_str());
        for (const auto& line : run.corvel().log->lines())
            std::printf("soak: Corvel logged in that step: %s\n", line.c_str());
        return 1;
    }
    std::printf("soak: every check passed\n");
    return 0;
}
