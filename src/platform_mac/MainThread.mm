#include "platform_mac/MainThread.h"

#include "async/ProgrammingError.h"

#import <Foundation/Foundation.h>
#include <string>

namespace corvel::mac {

void requireMainThread(const char* call) {
    if (![NSThread isMainThread])
        async::programmingError(std::string(call) +
                                " was called off the main thread; AppKit must only be used on it");
}

} // namespace corvel::mac
