// Corvel's own declarations of the AppKit classes the native binding uses;
// see tools/macos-declarations/README.md. Everything here but NSImage,
// NSBitmapImageRep, NSWorkspace and NSRunningApplication belongs to the
// main thread.
#pragma once

#import <Foundation/Foundation.h>
#include <CoreGraphics/CoreGraphics.h>

typedef CGPoint NSPoint;
typedef CGSize NSSize;
typedef CGRect NSRect;
static inline NSSize NSMakeSize(CGFloat width, CGFloat height) {
    NSSize size = {width, height};
    return size;
}
static inline NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    NSRect rect = {{x, y}, {width, height}};
    return rect;
}

@class NSMenu, NSMenuItem, NSImage, NSGraphicsContext;

typedef NSUInteger NSEventModifierFlags;
enum : NSEventModifierFlags {
    NSEventModifierFlagShift = 1ul << 17,
    NSEventModifierFlagControl = 1ul << 18,
    NSEventModifierFlagOption = 1ul << 19,
    NSEventModifierFlagCommand = 1ul << 20,
    NSEventModifierFlagDeviceIndependentFlagsMask = 0xffff0000ul,
};

enum NSCellImagePosition : NSUInteger {
    NSNoImage = 0,
    NSImageOnly = 1,
    NSImageLeft = 2,
    NSImageRight = 3,
    NSImageBelow = 4,
    NSImageAbove = 5,
    NSImageOverlaps = 6,
    NSImageLeading = 7,
    NSImageTrailing = 8,
};

typedef NSInteger NSControlStateValue;
static const NSControlStateValue NSControlStateValueMixed = -1;
static const NSControlStateValue NSControlStateValueOff = 0;
static const NSControlStateValue NSControlStateValueOn = 1;

typedef NSString* NSUserInterfaceItemIdentifier;

@interface NSResponder : NSObject
@end

@interface NSView : NSResponder
@property(copy) NSUserInterfaceItemIdentifier identifier;
@property(copy) NSString* accessibilityTitle;
- (void)setAccessibilityTitle:(NSString*)accessibilityTitle;
@end

@interface NSControl : NSView
// Held weakly: the control does not keep its target alive.
@property(weak) id target;
@property SEL action;
@end

@interface NSButton : NSControl
@property(copy) NSString* title;
@property(strong) NSImage* image;
@property NSCellImagePosition imagePosition;
@end

@interface NSStatusBarButton : NSButton
@end

typedef NSString* NSStatusItemAutosaveName;
@interface NSStatusItem : NSObject
@property CGFloat length;
@property(copy) NSStatusItemAutosaveName autosaveName;
@property(strong) NSMenu* menu;
@property(readonly, strong) NSStatusBarButton* button;
@end

@interface NSStatusBar : NSObject
@property(class, readonly, strong) NSStatusBar* systemStatusBar;
// The bar does not retain the item it returns.
- (NSStatusItem*)statusItemWithLength:(CGFloat)length;
- (void)removeStatusItem:(NSStatusItem*)item;
@end

@protocol NSMenuDelegate <NSObject>
@optional
- (void)menuNeedsUpdate:(NSMenu*)menu;
@end

@interface NSMenu : NSObject
- (instancetype)initWithTitle:(NSString*)title;
- (void)addItem:(NSMenuItem*)item;
- (void)removeAllItems;
@property BOOL autoenablesItems;
@property(weak) id<NSMenuDelegate> delegate;
@end

@interface NSMenuItem : NSObject
+ (NSMenuItem*)separatorItem;
- (instancetype)initWithTitle:(NSString*)string
                       action:(SEL)selector
                keyEquivalent:(NSString*)charCode;
@property(weak) id target;
@property NSInteger tag;
@property(getter=isEnabled) BOOL enabled;
@property NSControlStateValue state;
@property NSEventModifierFlags keyEquivalentModifierMask;
@property(strong) NSMenu* submenu;
@end

@interface NSImage : NSObject
+ (NSImage*)imageWithSystemSymbolName:(NSString*)name
             accessibilityDescription:(NSString*)description;
+ (NSImage*)imageWithSize:(NSSize)size
                  flipped:(BOOL)drawingHandlerShouldBeCalledWithFlippedContext
           drawingHandler:(BOOL (^)(NSRect dstRect))drawingHandler;
- (instancetype)initWithData:(NSData*)data;
@property NSSize size;
// "template" is a keyword of C++: the accessors are declared as methods.
- (BOOL)isTemplate;
- (void)setTemplate:(BOOL)isTemplate;
@property(copy) NSString* accessibilityDescription;
// Lent by the image: not owned by the caller.
- (CGImageRef)CGImageForProposedRect:(NSRect*)proposedDestRect
                             context:(NSGraphicsContext*)referenceContext
                               hints:(NSDictionary*)hints;
@end

@interface NSBezierPath : NSObject
+ (NSBezierPath*)bezierPathWithRoundedRect:(NSRect)rect xRadius:(CGFloat)xRadius yRadius:(CGFloat)yRadius;
+ (NSBezierPath*)bezierPathWithOvalInRect:(NSRect)rect;
@property CGFloat lineWidth;
- (void)fill;
- (void)stroke;
@end

@interface NSColor : NSObject
@property(class, strong, readonly) NSColor* blackColor;
- (void)setFill;
- (void)setStroke;
@end

enum NSBitmapImageFileType : NSUInteger {
    NSBitmapImageFileTypeTIFF = 0,
    NSBitmapImageFileTypeBMP = 1,
    NSBitmapImageFileTypeGIF = 2,
    NSBitmapImageFileTypeJPEG = 3,
    NSBitmapImageFileTypePNG = 4,
    NSBitmapImageFileTypeJPEG2000 = 5,
};
typedef NSString* NSBitmapImageRepPropertyKey;

@interface NSImageRep : NSObject
@end

@interface NSBitmapImageRep : NSImageRep
- (instancetype)initWithCGImage:(CGImageRef)cgImage;
- (NSData*)representationUsingType:(NSBitmapImageFileType)storageType
                        properties:(NSDictionary<NSBitmapImageRepPropertyKey, id>*)properties;
@end

enum NSApplicationActivationPolicy : NSInteger {
    NSApplicationActivationPolicyRegular = 0,
    NSApplicationActivationPolicyAccessory = 1,
    NSApplicationActivationPolicyProhibited = 2,
};

@interface NSRunningApplication : NSObject
+ (instancetype)runningApplicationWithProcessIdentifier:(pid_t)pid;
+ (NSArray<NSRunningApplication*>*)runningApplicationsWithBundleIdentifier:
    (NSString*)bundleIdentifier;
@property(readonly) pid_t processIdentifier;
@property(readonly, copy) NSString* bundleIdentifier;
@property(readonly, copy) NSString* localizedName;
@property(readonly) NSApplicationActivationPolicy activationPolicy;
@property(readonly, strong) NSImage* icon;
@end

@interface NSWorkspace : NSObject
@property(class, readonly, strong) NSWorkspace* sharedWorkspace;
@property(readonly, copy) NSArray<NSRunningApplication*>* runningApplications;
- (NSURL*)URLForApplicationWithBundleIdentifier:(NSString*)bundleIdentifier;
- (NSImage*)iconForFile:(NSString*)fullPath;
- (BOOL)openURL:(NSURL*)url;
// Posts the did-launch and did-terminate notifications below.
@property(readonly, strong) NSNotificationCenter* notificationCenter;
@end

// The notifications' userInfo holds the NSRunningApplication under
// NSWorkspaceApplicationKey.
extern "C" NSNotificationName const NSWorkspaceDidLaunchApplicationNotification;
extern "C" NSNotificationName const NSWorkspaceDidTerminateApplicationNotification;
extern "C" NSString* const NSWorkspaceApplicationKey;

@interface NSApplication : NSResponder
+ (NSApplication*)sharedApplication;
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)activationPolicy;
// macOS 14: activates when the system agrees.
- (void)activate;
@end

enum NSEventType : NSUInteger {
    NSEventTypeLeftMouseDown = 1,
    NSEventTypeLeftMouseUp = 2,
    NSEventTypeRightMouseDown = 3,
    NSEventTypeRightMouseUp = 4,
    NSEventTypeMouseMoved = 5,
    NSEventTypeLeftMouseDragged = 6,
    NSEventTypeRightMouseDragged = 7,
    NSEventTypeKeyDown = 10,
    NSEventTypeKeyUp = 11,
    NSEventTypeFlagsChanged = 12,
};
typedef unsigned long long NSEventMask;

@interface NSEvent : NSObject
+ (id)addGlobalMonitorForEventsMatchingMask:(NSEventMask)mask
                                    handler:(void (^)(NSEvent* event))block;
// Each monitor must be removed once only: a second removal over-releases it.
+ (void)removeMonitor:(id)eventMonitor;
@property(readonly) NSEventType type;
@property(readonly) NSPoint locationInWindow;
@property(readonly) NSEventModifierFlags modifierFlags;
@end

@interface NSScreen : NSObject
// The first holds the menu bar.
@property(class, readonly, copy) NSArray<NSScreen*>* screens;
@property(readonly) NSRect frame;
@end
