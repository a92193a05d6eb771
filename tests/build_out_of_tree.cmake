# Configures and builds SOURCE_DIR as a CMake project of its own in BUILD_DIR
# (emptied first, so nothing of an earlier configuration hides a fault), with
# the SDK found through CMAKE_MODULE_PATH as docs/modules.md tells module
# authors, and checks that EXPECTED was built.
file(REMOVE_RECURSE ${BUILD_DIR})
set(configure ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -G ${GENERATOR}
    -DCMAKE_MODULE_PATH=${SDK_DIR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
if(MAKE_PROGRAM)
    list(APPEND configure -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM})
endif()
if(COMPILER_LAUNCHER)
    list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${COMPILER_LAUNCHER})
endif()
foreach(step configure build)
    if(step STREQUAL "build")
        set(command ${CMAKE_COMMAND} --build ${BUILD_DIR})
    else()
        set(command ${configure})
    endif()
    execute_process(COMMAND ${command} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the ${step} step of ${SOURCE_DIR} failed (${result})")
    endif()
endforeach()
if(NOT EXISTS ${EXPECTED})
    message(FATAL_ERROR "${EXPECTED} was not built")
endif()
