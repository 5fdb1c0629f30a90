find_package(GTest REQUIRED)
include(GoogleTest)

# GoogleTest's headers, compiled once and reused by every suite without Qt. A
# suite with Qt compiles them beside Qt's own (see CorvelPrecompiled.cmake).
set(CORVEL_TEST_HEADERS <gtest/gtest.h> <gmock/gmock.h>)
file(WRITE ${CMAKE_BINARY_DIR}/corvel_test_headers.cpp "")
add_library(corvel_test_headers OBJECT ${CMAKE_BINARY_DIR}/corvel_test_headers.cpp)
target_link_libraries(corvel_test_headers PRIVATE GTest::gtest GTest::gmock)
target_precompile_headers(corvel_test_headers PRIVATE ${CORVEL_TEST_HEADERS})

# Test executables that exercise real threads also run under ThreadSanitizer;
# they hang off this target so the TSan build compiles nothing else.
add_custom_target(corvel_threaded_tests)

# corvel_add_test(<name> SOURCES <files...> LIBS <targets...> [THREADED] [QT]
#                 [ENVIRONMENT <VAR=value...>])
# QT: the suite's files include Qt's widget headers.
function(corvel_add_test name)
    cmake_parse_arguments(ARG "THREADED;QT" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    if(ARG_QT)
        target_precompile_headers(${name} PRIVATE ${CORVEL_TEST_HEADERS} ${CORVEL_QT_HEADERS})
    else()
        target_precompile_headers(${name} REUSE_FROM corvel_test_headers)
    endif()
    # One label only: a list here would be split into separate properties.
    set(label unit)
    if(ARG_THREADED)
        set(label threaded)
        add_dependencies(corvel_threaded_tests ${name})
    endif()
    set(environment "")
    if(ARG_ENVIRONMENT)
        set(environment ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${label} TIMEOUT 120 ${environment})
endfunction()
