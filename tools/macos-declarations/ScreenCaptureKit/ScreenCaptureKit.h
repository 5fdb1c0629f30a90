// Corvel's own declarations of the ScreenCaptureKit classes the native
// binding uses; see tools/macos-declarations/README.md. Completion handlers
// run on a queue of the framework's.
#pragma once

#import <Foundation/Foundation.h>
#include <CoreGraphics/CoreGraphics.h>

@interface SCRunningApplication : NSObject
@property(readonly) pid_t processID;
@end

@interface SCWindow : NSObject
@property(readonly) CGWindowID windowID;
@property(readonly) CGRect frame;
@property(readonly, copy) NSString* title;
@property(readonly, strong) SCRunningApplication* owningApplication;
@property(readonly, getter=isOnScreen) BOOL onScreen;
@end

@interface SCShareableContent : NSObject
+ (void)getShareableContentWithCompletionHandler:
    (void (^)(SCShareableContent* shareableContent, NSError* error))completionHandler;
@property(readonly) NSArray<SCWindow*>* windows;
@end

@interface SCContentFilter : NSObject
- (instancetype)initWithDesktopIndependentWindow:(SCWindow*)window;
@end

@interface SCStreamConfiguration : NSObject
@property size_t width;
@property size_t height;
@property BOOL showsCursor;
// Availability unconfirmed: checked with respondsToSelector: before use.
@property BOOL ignoreGlobalClipSingleWindow;
@end

@interface SCScreenshotManager : NSObject
// The image is lent for the length of the handler.
+ (void)captureImageWithFilter:(SCContentFilter*)contentFilter
                 configuration:(SCStreamConfiguration*)config
             completionHandler:(void (^)(CGImageRef sampleBuffer, NSError* error))completionHandler;
@end
