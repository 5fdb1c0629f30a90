// Corvel's own declarations of the CoreGraphics calls the native binding
// makes; see tools/macos-declarations/README.md.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef double CGFloat;
struct CGPoint {
    CGFloat x;
    CGFloat y;
};
typedef struct CGPoint CGPoint;
struct CGSize {
    CGFloat width;
    CGFloat height;
};
typedef struct CGSize CGSize;
struct CGRect {
    CGPoint origin;
    CGSize size;
};
typedef struct CGRect CGRect;

extern const CGPoint CGPointZero;
extern const CGRect CGRectZero;
static inline CGPoint CGPointMake(CGFloat x, CGFloat y) {
    CGPoint point = {x, y};
    return point;
}
static inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    CGRect rect = {{x, y}, {width, height}};
    return rect;
}
bool CGRectMakeWithDictionaryRepresentation(CFDictionaryRef dictionary, CGRect* rect);

// Window Services. Coordinates count from the top left of the main display.
typedef uint32_t CGWindowID;
typedef uint32_t CGWindowListOption;
enum : uint32_t {
    kCGWindowListOptionAll = 0,
    kCGNullWindowID = 0,
};
CFArrayRef CGWindowListCopyWindowInfo(CGWindowListOption option, CGWindowID relativeToWindow);
extern const CFStringRef kCGWindowNumber;
extern const CFStringRef kCGWindowLayer;
extern const CFStringRef kCGWindowBounds;
extern const CFStringRef kCGWindowAlpha;
extern const CFStringRef kCGWindowOwnerPID;
extern const CFStringRef kCGWindowOwnerName;
extern const CFStringRef kCGWindowName;
extern const CFStringRef kCGWindowIsOnscreen;

// Displays.
typedef uint32_t CGDirectDisplayID;
CGDirectDisplayID CGMainDisplayID(void);
CGRect CGDisplayBounds(CGDirectDisplayID display);

// Quartz Event Services.
typedef struct __CGEventSource* CGEventSourceRef;
typedef struct __CGEvent* CGEventRef;
typedef uint16_t CGKeyCode;
enum CGEventSourceStateID : int32_t {
    kCGEventSourceStatePrivate = -1,
    kCGEventSourceStateCombinedSessionState = 0,
    kCGEventSourceStateHIDSystemState = 1,
};
enum CGEventSuppressionState : uint32_t {
    kCGEventSuppressionStateSuppressionInterval = 0,
    kCGEventSuppressionStateRemoteMouseDrag = 1,
};
typedef uint32_t CGEventFilterMask;
enum : CGEventFilterMask {
    kCGEventFilterMaskPermitLocalMouseEvents = 0x1,
    kCGEventFilterMaskPermitLocalKeyboardEvents = 0x2,
    kCGEventFilterMaskPermitSystemDefinedEvents = 0x4,
};
enum CGEventTapLocation : uint32_t {
    kCGHIDEventTap = 0,
    kCGSessionEventTap = 1,
    kCGAnnotatedSessionEventTap = 2,
};
enum CGEventType : uint32_t {
    kCGEventNull = 0,
    kCGEventLeftMouseDown = 1,
    kCGEventLeftMouseUp = 2,
    kCGEventRightMouseDown = 3,
    kCGEventRightMouseUp = 4,
    kCGEventMouseMoved = 5,
    kCGEventLeftMouseDragged = 6,
    kCGEventRightMouseDragged = 7,
    kCGEventKeyDown = 10,
    kCGEventKeyUp = 11,
    kCGEventFlagsChanged = 12,
};
enum CGMouseButton : uint32_t {
    kCGMouseButtonLeft = 0,
    kCGMouseButtonRight = 1,
    kCGMouseButtonCenter = 2,
};
typedef uint64_t CGEventFlags;
enum : CGEventFlags {
    kCGEventFlagMaskShift = 0x00020000,
    kCGEventFlagMaskControl = 0x00040000,
    kCGEventFlagMaskAlternate = 0x00080000,
    kCGEventFlagMaskCommand = 0x00100000,
};
// Only the documented fields have names; others are passed by number.
enum CGEventField : uint32_t {
    kCGMouseEventClickState = 1,
    kCGMouseEventButtonNumber = 3,
    kCGKeyboardEventKeycode = 9,
    kCGEventTargetUnixProcessID = 40,
    kCGEventSourceUserData = 42,
    kCGMouseEventWindowUnderMousePointer = 91,
    kCGMouseEventWindowUnderMousePointerThatCanHandleThisEvent = 92,
};

CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID stateID);
void CGEventSourceSetLocalEventsFilterDuringSuppressionState(CGEventSourceRef source,
                                                             CGEventFilterMask filter,
                                                             CGEventSuppressionState state);
void CGEventSourceSetLocalEventsSuppressionInterval(CGEventSourceRef source,
                                                    CFTimeInterval seconds);
CGEventRef CGEventCreateMouseEvent(CGEventSourceRef source, CGEventType mouseType,
                                   CGPoint mouseCursorPosition, CGMouseButton mouseButton);
CGEventRef CGEventCreateKeyboardEvent(CGEventSourceRef source, CGKeyCode virtualKey, bool keyDown);
void CGEventSetFlags(CGEventRef event, CGEventFlags flags);
void CGEventSetLocation(CGEventRef event, CGPoint location);
void CGEventSetIntegerValueField(CGEventRef event, CGEventField field, int64_t value);
int64_t CGEventGetIntegerValueField(CGEventRef event, CGEventField field);
void CGEventPost(CGEventTapLocation tap, CGEventRef event);
void CGEventPostToPid(pid_t pid, CGEventRef event);

// Screen Recording. The C return type is unconfirmed (bool or boolean_t);
// either converts to bool.
bool CGPreflightScreenCaptureAccess(void);
bool CGRequestScreenCaptureAccess(void);

// Images and bitmap contexts.
typedef struct CGImage* CGImageRef;
typedef struct CGColorSpace* CGColorSpaceRef;
typedef struct CGContext* CGContextRef;
typedef uint32_t CGBitmapInfo;
enum CGImageAlphaInfo : uint32_t {
    kCGImageAlphaPremultipliedLast = 1,
};
enum : CGBitmapInfo {
    kCGBitmapByteOrder32Big = 4 << 12,
};
size_t CGImageGetWidth(CGImageRef image);
size_t CGImageGetHeight(CGImageRef image);
CGColorSpaceRef CGColorSpaceCreateDeviceRGB(void);
CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height,
                                   size_t bitsPerComponent, size_t bytesPerRow,
                                   CGColorSpaceRef space, uint32_t bitmapInfo);
CGImageRef CGBitmapContextCreateImage(CGContextRef context);
void CGContextDrawImage(CGContextRef context, CGRect rect, CGImageRef image);

#ifdef __cplusplus
}
#endif
