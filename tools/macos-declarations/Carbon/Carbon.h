// Corvel's own declarations of the Carbon Event Manager's hot key calls
// (HIToolbox) the native binding makes; see tools/macos-declarations/README.md.
// Apple has no current pages for them: the prototypes and values are those
// quoted from the headers elsewhere, several of them unconfirmed.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t OSStatus;
typedef uint32_t OSType;
typedef uint32_t OptionBits;
typedef unsigned long ItemCount;
typedef unsigned long ByteCount;
typedef OSType EventParamName;
typedef OSType EventParamType;

enum : OSStatus {
    noErr = 0,
};

typedef struct OpaqueEventRef* EventRef;
typedef struct OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef struct OpaqueEventHandlerRef* EventHandlerRef;
typedef struct OpaqueEventTargetRef* EventTargetRef;
typedef struct OpaqueEventHotKeyRef* EventHotKeyRef;

struct EventHotKeyID {
    OSType signature;
    UInt32 id;
};
typedef struct EventHotKeyID EventHotKeyID;

struct EventTypeSpec {
    OSType eventClass;
    UInt32 eventKind;
};
typedef struct EventTypeSpec EventTypeSpec;

enum : OSType {
    kEventClassKeyboard = 'keyb',
    kEventParamDirectObject = '----',
    typeEventHotKeyID = 'hkid',
};
enum : UInt32 {
    kEventHotKeyPressed = 5,
    kEventHotKeyReleased = 6,
};

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                                        void* inUserData);
typedef EventHandlerProcPtr EventHandlerUPP;
EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr userRoutine);

EventTargetRef GetApplicationEventTarget(void);
OSStatus InstallEventHandler(EventTargetRef inTarget, EventHandlerUPP inHandler,
                             ItemCount inNumTypes, const EventTypeSpec* inList, void* inUserData,
                             EventHandlerRef* outRef);
OSStatus RemoveEventHandler(EventHandlerRef inHandlerRef);
OSStatus GetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inDesiredType,
                           EventParamType* outActualType, ByteCount inBufferSize,
                           ByteCount* outActualSize, void* outData);

OSStatus RegisterEventHotKey(UInt32 inHotKeyCode, UInt32 inHotKeyModifiers,
                             EventHotKeyID inHotKeyID, EventTargetRef inTarget,
                             OptionBits inOptions, EventHotKeyRef* outRef);
OSStatus UnregisterEventHotKey(EventHotKeyRef inHotKey);

// The system's own shortcuts (Copy rule: the caller releases the array).
OSStatus CopySymbolicHotKeys(CFArrayRef* outHotKeyArray);
extern const CFStringRef kHISymbolicHotKeyCode;
extern const CFStringRef kHISymbolicHotKeyModifiers;
extern const CFStringRef kHISymbolicHotKeyEnabled;

#ifdef __cplusplus
}
#endif
