#pragma once

#include "engine/StoreNotice.h"
#include "platform/Alert.h"

namespace corvel {

/// The words in which a person hears about their saved Groups: a newer
/// Corvel's store that this one leaves alone, changes that can't be saved,
/// and saving that works again. Pure.
struct StoreAlerts {
    static platform::Alert alert(const StoreNotice& notice);
};

} // namespace corvel
