# Configures the probe project twice, with and without a path to Qt, and
# fails unless only the first is refused by the layering check.
set(refusal "CorvelProbe is a core target and must not link Qt6::Widgets")

function(configure_probe reachesQt out)
    set(binary "${WORK}/reaches-qt-${reachesQt}")
    file(REMOVE_RECURSE "${binary}")
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -S "${PROBE}" -B "${binary}"
                "-DCORVEL_LAYERING=${LAYERING}" "-DPROBE_REACHES_QT=${reachesQt}"
        OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
    set(${out} "${stdout}${stderr}" PARENT_SCOPE)
endfunction()

configure_probe(ON refused)
string(REPLACE "\n" " " refusedFlat "${refused}")
string(REGEX REPLACE " +" " " refusedFlat "${refusedFlat}")
if(NOT refusedFlat MATCHES "${refusal}")
    message(FATAL_ERROR "a core target that reaches Qt was not refused:\n${refused}")
endif()

configure_probe(OFF accepted)
if(accepted MATCHES "must not link" OR NOT accepted MATCHES "Configuring done")
    message(FATAL_ERROR "a core target without Qt was refused:\n${accepted}")
endif()
