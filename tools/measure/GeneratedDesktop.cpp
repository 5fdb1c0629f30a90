#include "measure/GeneratedDesktop.h"

#include "sim/ScenarioLoader.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace corvel::measure {

sim::Scenario GeneratedDesktop::scenario(int applications, int items) {
    sim::Scenario scenario = sim::ScenarioLoader::defaultScenario();
    scenario.screen.width = 3456;
    int withItems = 0;
    int itemsNow = 0;
    for (const auto& application : scenario.applications)
        if (application.running && !application.extras.empty()) {
            ++withItems;
            itemsNow += static_cast<int>(application.extras.size());
        }
    for (int n = 1; withItems < applications; ++n, ++withItems) {
        const int appsLeft = applications - withItems;
        const int itemsLeft = items - itemsNow;
        const int count = std::clamp(itemsLeft - (appsLeft - 1), 1, 2);
        char number[8];
        std::snprintf(number, sizeof number, "%02d", n);
        sim::Scenario::Application application;
        application.name = std::string("Generated ") + number;
        application.bundleIdentifier = std::string("com.example.generated") + number;
        for (int extra = 0; extra < count; ++extra) {
            sim::Scenario::Extra item;
            item.title = application.name + (extra ? " More" : "");
            item.description = item.title;
            item.menu = {"Open " + application.name, "-", "Quit"};
            application.extras.push_back(item);
        }
        itemsNow += count;
        scenario.applications.push_back(std::move(application));
    }
    return scenario;
}

} // namespace corvel::measure
