// Corvel's own declarations of the login item calls the native binding
// makes; see tools/macos-declarations/README.md. None of them is in the
// reference the binding was written from: all are unconfirmed.
#pragma once

#import <Foundation/Foundation.h>

enum SMAppServiceStatus : NSInteger {
    SMAppServiceStatusNotRegistered = 0,
    SMAppServiceStatusEnabled = 1,
    SMAppServiceStatusRequiresApproval = 2,
    SMAppServiceStatusNotFound = 3,
};

@interface SMAppService : NSObject
// This application itself, as a login item (macOS 13).
@property(class, readonly) SMAppService* mainAppService;
@property(readonly) SMAppServiceStatus status;
- (BOOL)registerAndReturnError:(NSError* __autoreleasing*)error;
- (BOOL)unregisterAndReturnError:(NSError* __autoreleasing*)error;
@end
