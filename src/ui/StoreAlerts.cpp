#include "ui/StoreAlerts.h"

#include <string>

namespace corvel {

platform::Alert StoreAlerts::alert(const StoreNotice& notice) {
    const std::string file = notice.file().string();
    switch (notice.kind()) {
    case StoreNotice::Kind::newerSchema:
        return {"Corvel can't use your saved Groups",
                "The store at " + file + " was saved by a newer version of Corvel (schema " +
                    std::to_string(notice.schemaVersion()) +
                    "). This Corvel starts without Groups and leaves the file as it is, so "
                    "changes you make now are not saved. Open the newer Corvel to get your Groups "
                    "back.",
                {}};
    case StoreNotice::Kind::writeFailed:
        return {"Corvel can't save your changes",
                "Writing the store at " + file + " failed: " + notice.reason() +
                    ". Corvel keeps your changes while it runs and tries again at every change; "
                    "it will tell you when saving works again.",
                {}};
    case StoreNotice::Kind::writingAgain:
        return {"Corvel saves your changes again",
                "The store at " + file + " was written: every change so far is saved.",
                {}};
    }
    return {};
}

} // namespace corvel
