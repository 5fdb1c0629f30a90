// Corvel's own declarations of the unified logging calls the native binding
// makes; see tools/macos-declarations/README.md.
#pragma once

#import <Foundation/Foundation.h>

#include <stdint.h>

@protocol OS_os_log <NSObject>
@end
typedef NSObject<OS_os_log>* os_log_t;

enum os_log_type_t : uint8_t {
    OS_LOG_TYPE_DEFAULT = 0x00,
    OS_LOG_TYPE_INFO = 0x01,
    OS_LOG_TYPE_DEBUG = 0x02,
    OS_LOG_TYPE_ERROR = 0x10,
    OS_LOG_TYPE_FAULT = 0x11,
};

#ifdef __cplusplus
extern "C" {
#endif
os_log_t os_log_create(const char* subsystem, const char* category);
void corvel_declared_os_log_with_type(os_log_t log, os_log_type_t type, const char* format, ...)
    __attribute__((format(os_log, 3, 4)));
#ifdef __cplusplus
}
#endif

// A macro on the platform too: the format must be a string literal.
#define os_log_with_type(log, type, format, ...)                                                   \
    corvel_declared_os_log_with_type((log), (type), "" format __VA_OPT__(, ) __VA_ARGS__)
