# Fails when any of FILES (paths separated by "|") names a Qt library of
# FORBIDDEN (module names separated by "|", e.g. "Gui|Widgets") among the
# libraries it needs, or names no Qt Core (then it is not the file expected).
find_program(READELF readelf REQUIRED)
string(REPLACE "|" ";" files "${FILES}")
foreach(file ${files})
    execute_process(COMMAND ${READELF} -d ${file} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "readelf could not read ${file}")
    endif()
    if(NOT dynamic MATCHES "libQt6Core")
        message(FATAL_ERROR "no Qt Core among the libraries of ${file}: not the file expected")
    endif()
    if(dynamic MATCHES "libQt6(${FORBIDDEN})")
        message(FATAL_ERROR "${file} needs Qt ${CMAKE_MATCH_1}:\n${dynamic}")
    endif()
endforeach()
