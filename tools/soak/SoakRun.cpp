// A soak's course: the draw of each step and the order of a step's parts.
#include "soak/SoakRun.h"

#include "app/TerminationSignals.h"
#include "app/TourPlan.h"

#include <iomanip>
#include <sstream>

namespace corvel::soak {

namespace {

std::string clockText(async::Duration elapsed) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    std::ostringstream text;
    text << seconds / 86400 << "d " << std::setfill('0') << std::setw(2) << seconds / 3600 % 24
         << ':' << std::setw(2) << seconds / 60 % 60 << ':' << std::setw(2) << seconds % 60;
    return text.str();
}

} // namespace

SoakRun::SoakRun(sim::Scenario scenario, std::uint64_t seed, std::ostream* steps)
    : run_(std::move(scenario)), rng_(seed), steps_(steps), start_(run_.loop.now()) {
    for (const auto& application : run_.scenario.applications)
        if (app::TourPlan::isFileable(application))
            candidates_.push_back(*application.bundleIdentifier);
    // How often each is drawn, out of the weights' sum: the person's work
    // most, the Mac's troubles now and then, Corvel's end rarely.
    repertoire_ = {
        {10, &SoakRun::createGroup},
        {4, &SoakRun::renameGroup},
        {4, &SoakRun::deleteGroup},
        {12, &SoakRun::fileByDrag},
        {10, &SoakRun::fileFromList},
        {8, &SoakRun::unfileFromList},
        {14, &SoakRun::pressFromStrip},
        {4, &SoakRun::showAll},
        {2, &SoakRun::hideAll},
        {2, &SoakRun::repairMenuBar},
        {4, &SoakRun::commandDragByHand},
        {4, &SoakRun::quitApplication},
        {4, &SoakRun::launchApplication},
        {3, &SoakRun::hangApplication},
        {3, &SoakRun::restartControlCenter},
        {2, &SoakRun::withdrawAccessibility},
        {2, &SoakRun::withdrawScreenRecording},
        {1, &SoakRun::quitCorvel},
        {1, &SoakRun::terminateCorvel},
        {2, &SoakRun::killCorvel},
        {10, &SoakRun::idle},
    };
}

SoakRun::~SoakRun() {
    signals_.reset();
}

async::Duration SoakRun::someTime(async::Duration most) {
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(most).count();
    return std::chrono::milliseconds(below(static_cast<std::uint64_t>(milliseconds) + 1));
}

std::optional<SoakRun::Failure> SoakRun::play(int count) {
    try {
        run_.desktop = sim::SimulatedDesktop::create(run_.loop, run_.scenario);
        launchCorvel();
        if (auto what = settleAndCheck())
            return Failure{0, *what};
        int total = 0;
        for (const auto& entry : repertoire_)
            total += entry.weight;
        for (int step = 1; step <= count; ++step) {
            before_ = model_;
            faultThisStep_ = false;
            killed_ = false;
            deleting_.clear();
            auto chosen = below(static_cast<std::uint64_t>(total));
            auto entry = repertoire_.begin();
            while (chosen >= static_cast<std::uint64_t>(entry->weight))
                chosen -= static_cast<std::uint64_t>((entry++)->weight);
            const std::string did = (this->*(entry->action))();
            if (steps_)
                *steps_ << "step " << step << " at " << clockText(elapsed()) << ": " << did << '\n';
            if (afterAction_)
                afterAction_(*this, did);
            if (auto what = settleAndCheck())
                return Failure{step, *what};
            stepsPlayed_ = step;
            // A person's pace between two things they do.
            run_.loop.advance(someTime(std::chrono::seconds(20)));
        }
    } catch (const std::exception& error) {
        return Failure{stepsPlayed_ + 1, error.what()};
    }
    return std::nullopt;
}

} // namespace corvel::soak
