# brenmark_add_module(target SOURCES src... [OUTPUT_DIRECTORY dir] [LIBRARIES lib...]
#                     [RESOURCES NAME file NAME file ...])
#
# Builds a Brenmark module: a shared library named <target>.so (no "lib"
# prefix) in OUTPUT_DIRECTORY, by default the program's Plugins folder. Only
# the interface exports are visible. Each RESOURCES pair embeds an image file
# (ICO/PNG: icon, BMP: bitmap) under NAME, e.g. ACTION or BUTTON0.
set(BRENMARK_SDK_DIR ${CMAKE_CURRENT_LIST_DIR})

# GCC marks function-local statics of inline code (std::to_string's digit
# table...) as "unique" symbols, and a library that has any can never be
# unloaded: dlclose would silently keep every module in memory.
function(brenmark_module_compile_options target)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-gnu-unique>)
    endif()
endfunction()

function(brenmark_add_module target)
    cmake_parse_arguments(ARG "" "OUTPUT_DIRECTORY" "SOURCES;LIBRARIES;RESOURCES" ${ARGN})
    if(NOT ARG_OUTPUT_DIRECTORY)
        set(ARG_OUTPUT_DIRECTORY ${BRENMARK_PROGRAM_DIR}/Plugins)
    endif()

    set(resource_sources "")
    list(LENGTH ARG_RESOURCES resource_count)
    if(resource_count GREATER 0)
        math(EXPR last "${resource_count} - 1")
        foreach(i RANGE 0 ${last} 2)
            math(EXPR j "${i} + 1")
            list(GET ARG_RESOURCES ${i} res_name)
            list(GET ARG_RESOURCES ${j} res_file)
            get_filename_component(res_file ${res_file} ABSOLUTE)
            set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/${res_name}.c)
            add_custom_command(OUTPUT ${out}
                COMMAND ${CMAKE_COMMAND} -DNAME=${res_name} -DINPUT=${res_file} -DOUTPUT=${out}
                        -P ${BRENMARK_SDK_DIR}/embed_resource.cmake
                DEPENDS ${res_file} ${BRENMARK_SDK_DIR}/embed_resource.cmake
                COMMENT "Embedding ${res_name} into ${target}"
                VERBATIM)
            list(APPEND resource_sources ${out})
        endforeach()
    endif()

    add_library(${target} MODULE ${ARG_SOURCES} ${resource_sources})
    target_include_directories(${target} PRIVATE ${BRENMARK_SDK_DIR})
    if(TARGET brenmark_options)
        target_link_libraries(${target} PRIVATE brenmark_options)
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
    brenmark_module_compile_options(${target})
    set_target_properties(${target} PROPERTIES
        PREFIX ""
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
endfunction()
