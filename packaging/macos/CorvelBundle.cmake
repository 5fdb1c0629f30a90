# Corvel.app's identity, in one place for the bundle (src/app) and for the
# test that reads its Info.plist (tests/packaging).

set(CORVEL_INFO_PLIST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/Info.plist.in)

# Sets the variables the Info.plist template reads, in the caller's scope.
macro(corvel_bundle_identity)
    set(MACOSX_BUNDLE_BUNDLE_NAME "Corvel")
    # CMake names a bundle after its executable: Corvel.app holds Corvel.
    set(MACOSX_BUNDLE_EXECUTABLE_NAME "Corvel")
    set(MACOSX_BUNDLE_GUI_IDENTIFIER "app.corvel.Corvel")
    set(MACOSX_BUNDLE_SHORT_VERSION_STRING "${PROJECT_VERSION}")
    set(MACOSX_BUNDLE_BUNDLE_VERSION "${PROJECT_VERSION}")
    set(MACOSX_BUNDLE_ICON_FILE "Corvel.icns")
    set(MACOSX_BUNDLE_COPYRIGHT "Corvel ${PROJECT_VERSION}")
    set(CORVEL_MINIMUM_MACOS "26.0")
    # The platform documents no usage text for Screen Recording or
    # Accessibility; this key is read by some releases and harmless to others.
    set(CORVEL_SCREEN_CAPTURE_USAGE
        "Corvel reads the names of the menu bar's windows to tell its own icons from other applications' items, and can show live pictures of your items.")
endmacro()
