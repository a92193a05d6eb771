# Flags shared by every target of the project.
add_library(brenmark_options INTERFACE)
target_compile_options(brenmark_options INTERFACE
    -Wall -Wextra -Wno-missing-field-initializers)

# A GoogleTest executable over headless code; each test case becomes a ctest test.
# brenmark_add_core_test(name SOURCES ... [LIBRARIES ...])
function(brenmark_add_core_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE brenmark_core GTest::gtest GTest::gtest_main ${ARG_LIBRARIES})
    target_compile_definitions(${name} PRIVATE
        BRENMARK_FIXTURE_DIR="${BRENMARK_FIXTURE_DIR}"
        BRENMARK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        BRENMARK_PROBE_EXECUTABLE="$<TARGET_FILE:brenmark-probe>")
    add_dependencies(${name} brenmark-probe)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

# A Qt Test executable over windows, run without a display.
# brenmark_add_widget_test(name SOURCES ... [LIBRARIES ...])
function(brenmark_add_widget_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE brenmark_ui Qt6::Test ${ARG_LIBRARIES})
    target_compile_definitions(${name} PRIVATE
        BRENMARK_FIXTURE_DIR="${BRENMARK_FIXTURE_DIR}"
        BRENMARK_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        BRENMARK_PROBE_EXECUTABLE="$<TARGET_FILE:brenmark-probe>")
    add_dependencies(${name} brenmark-probe)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96" TIMEOUT 300)
endfunction()
