#pragma once

#include "async/Executor.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace corvel::sim {

/// One object of a scenario document. Refuses keys it does not know, and
/// reads each value with its type and range checked; every error names the
/// key by its path in the document ("applications[2].pid") and, for a value
/// out of range, the value. A desktop must never start from values that no
/// display or process could have.
class ScenarioFields {
  public:
    /// Longest duration a scenario may give: a simulated day.
    static constexpr std::int64_t maxMillis = 24 * 60 * 60 * 1000;

    /// `where` is the object's own path, empty for the document itself.
    ScenarioFields(const nlohmann::json& object, std::string where,
                   std::initializer_list<const char*> known);

    bool has(const char* key) const { return object_.contains(key); }
    /// The key's path in the document.
    std::string path(const char* key) const;

    void read(const char* key, bool& out) const;
    void read(const char* key, std::string& out) const;
    void read(const char* key, std::optional<std::string>& out) const;
    void read(const char* key, std::vector<std::string>& out) const;
    void read(const char* key, std::map<std::string, std::string>& out) const;
    /// A finite number from `min` to `max`.
    void read(const char* key, double& out, double min, double max) const;
    /// Names mapped to finite numbers from `min` to `max`.
    void read(const char* key, std::map<std::string, double>& out, double min, double max) const;
    /// A whole number from `min` to `max`.
    void read(const char* key, std::int64_t& out, std::int64_t min, std::int64_t max) const;
    /// Whole milliseconds from 0 to maxMillis.
    void millis(const char* key, async::Duration& out) const;
    void millis(const char* key, std::optional<async::Duration>& out) const;

    /// The value at `key`, which must be an object; its path is path(key).
    const nlohmann::json& object(const char* key) const;
    /// The elements of the array at `key` with their paths; none when the
    /// key is missing.
    std::vector<std::pair<const nlohmann::json*, std::string>> list(const char* key) const;

    /// An error naming the place and what was wrong with the value there.
    [[noreturn]] static void refuse(const std::string& path, const std::string& problem);
    [[noreturn]] static void outOfRange(const std::string& path, const nlohmann::json& value,
                                        const std::string& range);

  private:
    static double number(const nlohmann::json& value, const std::string& path, double min,
                         double max);
    /// The value at `key`, refused unless `accepts` says it has the type
    /// `expected` names.
    const nlohmann::json& typed(const char* key, bool (nlohmann::json::*accepts)() const noexcept,
                                const char* expected) const;

    const nlohmann::json& object_;
    std::string where_;
};

} // namespace corvel::sim
