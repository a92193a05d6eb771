# Fails when a headless source includes a Qt Widgets header: the core must
# build and run without windows.
file(GLOB_RECURSE sources ${SOURCE_DIR}/main/core/* ${SOURCE_DIR}/options/core/*
    ${SOURCE_DIR}/information/core/* ${SOURCE_DIR}/about/core/* ${SOURCE_DIR}/CRCunit/*)
set(offenders "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "#[ \t]*include[ \t]*[<\"](QtWidgets/|Q(Widget|Application|MainWindow|Dialog|MessageBox|ListView|Menu|PushButton|Label|ProgressBar|Style)[>\"])")
    if(lines)
        list(APPEND offenders "${source}: ${lines}")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "Headless sources include widget headers:\n${offenders}")
endif()
message(STATUS "no widget headers in headless sources")
