#include "measure/GeneratedDesktop.h"

#include "sim/ScenarioLoader.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace corvel::measure {

namespace {

using Document = nlohmann::json;

Document application(int n, int items) {
    char number[12];
    std::snprintf(number, sizeof number, "%02d", n);
    const std::string name = std::string("Generated ") + number;
    Document extras = Document::array();
    for (int extra = 0; extra < items; ++extra) {
        const std::string title = name + (extra ? " More" : "");
        extras.push_back(
            {{"title", title}, {"description", title}, {"menu", {"Open " + name, "-", "Quit"}}});
    }
    return {{"name", name},
            {"bundleIdentifier", std::string("com.example.generated") + number},
            {"extras", extras}};
}

} // namespace

std::string GeneratedDesktop::json(int applications, int items) {
    auto document = Document::parse(sim::ScenarioLoader::defaultJson());
    document["screen"]["width"] = 3456;
    int withItems = 0;
    int itemsNow = 0;
    for (const auto& app : document["applications"])
        if (app.value("running", true) && app.contains("extras") && !app["extras"].empty()) {
            ++withItems;
            itemsNow += static_cast<int>(app["extras"].size());
        }
    for (int n = 1; withItems < applications; ++n, ++withItems) {
        const int appsLeft = applications - withItems;
        const int count = std::clamp(items - itemsNow - (appsLeft - 1), 1, 2);
        document["applications"].push_back(application(n, count));
        itemsNow += count;
    }
    return document.dump(2);
}

sim::Scenario GeneratedDesktop::scenario(int applications, int items) {
    return sim::ScenarioLoader::fromJson(json(applications, items));
}

} // namespace corvel::measure
