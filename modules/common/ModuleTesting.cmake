# brenmark_test_module_logic(logic_library [module_target])
#
# Lets the core tests link a module's window-free logic directly and load the
# built module itself through dlopen: the test binary is created after the
# modules, so the links are made once the whole tree has been read.
include_guard(GLOBAL)

# Deferred arguments are expanded when the call runs, in the top directory's
# scope, so the names are written into the call now.
function(brenmark_test_module_logic logic)
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\"
        CALL target_link_libraries core_tests PRIVATE ${logic})")
    if(ARGC GREATER 1)
        cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\"
            CALL add_dependencies core_tests ${ARGV1})")
    endif()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR}
    CALL target_compile_definitions core_tests PRIVATE
        BRENMARK_PLUGINS_DIR="${BRENMARK_PROGRAM_DIR}/Plugins")
