find_package(GTest REQUIRED)
include(GoogleTest)

# Test executables that exercise real threads also run under ThreadSanitizer;
# they hang off this target so the TSan build compiles nothing else.
add_custom_target(corvel_threaded_tests)

# corvel_add_test(<name> SOURCES <files...> LIBS <targets...> [THREADED]
#                 [ENVIRONMENT <VAR=value...>])
function(corvel_add_test name)
    cmake_parse_arguments(ARG "THREADED" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
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
