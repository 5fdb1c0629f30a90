#pragma once

#include "platform_mac/CoreFoundationConverter.h"
#include "platform_mac/CoreFoundationValues.h"
#include "platform_mac/FirstUseLog.h"

#include <CoreFoundation/CoreFoundation.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvel::mac {

/// Answers CoreFoundationValues from Core Foundation, HIServices and
/// CoreGraphics. `namedKeys` pairs platform constants with the ports' names
/// for them: a key that is one of those constants reads under the port's
/// name whatever its text. Thread-safe (it holds nothing but the names).
class CoreFoundationReader final : public CoreFoundationValues {
  public:
    using NamedKeys = std::vector<std::pair<CFStringRef, std::string_view>>;

    explicit CoreFoundationReader(NamedKeys namedKeys = {});

    Type type(Ref value) const override;
    std::vector<Ref> arrayValues(Ref array) const override;
    std::vector<std::pair<Ref, Ref>> dictionaryEntries(Ref dictionary) const override;
    std::optional<std::string> string(Ref string) const override;
    bool isFloat(Ref number) const override;
    std::optional<std::int64_t> integer(Ref number) const override;
    std::optional<double> real(Ref number) const override;
    bool boolean(Ref boolean) const override;
    std::optional<platform::Point> point(Ref axValue) const override;
    std::optional<platform::Rect> rect(Ref dictionary) const override;
    std::optional<std::string> keyName(Ref key) const override;

    /// Names in the log, once per kind, each part a reading of `call` left
    /// out: what a first run on a Mac must see if the platform's values are
    /// not what Corvel expects.
    static void report(FirstUseLog& notes, std::string_view call,
                       const CoreFoundationConverter& converter);

  private:
    NamedKeys namedKeys_;
};

} // namespace corvel::mac
