#pragma once

#include "platform/ProcessEnvironment.h"

#include <map>

namespace corvel::test {

/// A process environment held in a map, so tests can read what was set.
class MapEnvironment final : public platform::ProcessEnvironment {
  public:
    std::optional<std::string> get(const std::string& name) const override {
        auto found = values.find(name);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    void set(const std::string& name, const std::string& value) override { values[name] = value; }

    std::map<std::string, std::string> values;
};

} // namespace corvel::test
