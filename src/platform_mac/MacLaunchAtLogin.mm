#include "platform_mac/MacLaunchAtLogin.h"

#include "platform_mac/AppleStrings.h"
#include "platform_mac/MainThread.h"

#import <ServiceManagement/ServiceManagement.h>
#include <string>

namespace corvel::mac {

MacLaunchAtLogin::MacLaunchAtLogin(std::shared_ptr<platform::SystemLog> log)
    : log_(std::move(log)) {}

platform::LaunchAtLogin::Status MacLaunchAtLogin::status() const {
    requireMainThread("SMAppService status");
    const NSInteger status = [SMAppService mainAppService].status;
    if (status >= 0 && status <= 3)
        return static_cast<Status>(status);
    log_->write("Corvel: SMAppService status is " + std::to_string(status) +
                ", which Corvel does not know; it reads as not registered");
    return Status::notRegistered;
}

std::optional<std::string> MacLaunchAtLogin::setEnabled(bool enabled) {
    requireMainThread(enabled ? "SMAppService registerAndReturnError:"
                              : "SMAppService unregisterAndReturnError:");
    SMAppService* service = [SMAppService mainAppService];
    NSError* error = nil;
    const BOOL done = enabled ? [service registerAndReturnError:&error]
                              : [service unregisterAndReturnError:&error];
    if (done)
        return std::nullopt;
    return error ? stdString(error.localizedDescription) : std::string("no reason given");
}

} // namespace corvel::mac
