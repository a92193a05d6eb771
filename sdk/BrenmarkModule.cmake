# brenmark_add_module(target SOURCES src... [OUTPUT_DIRECTORY dir] [LIBRARIES lib...]
#                     [RESOURCES NAME file NAME file ...])
#
# Builds a Brenmark module: a shared library named <target>.so (no "lib"
# prefix) in OUTPUT_DIRECTORY. By default that is ${BRENMARK_PROGRAM_DIR}/Plugins
# when BRENMARK_PROGRAM_DIR names the program's folder, else the Plugins
# folder of the project's build folder. Only the interface exports are
# visible. Each RESOURCES pair embeds an image file (ICO/PNG: icon, BMP:
# bitmap) under NAME, e.g. ACTION or BUTTON0.
#
# A project of its own includes this file after project(), by path or with
# this folder in CMAKE_MODULE_PATH (see docs/modules.md); C++ or C is enough.
include_guard(GLOBAL)
set(BRENMARK_SDK_DIR ${CMAKE_CURRENT_LIST_DIR})

# GCC marks function-local statics of inline code (std::to_string's digit
# table...) as "unique" symbols, and a library that has any can never be
# unloaded: dlclose would silently keep every module in memory.
function(brenmark_module_compile_options target)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-gnu-unique>)
    endif()
endfunction()

# The folder a module goes to when its call names none.
function(brenmark_default_module_folder target out)
    if(NOT BRENMARK_PROGRAM_DIR)
        set(${out} ${CMAKE_BINARY_DIR}/Plugins PARENT_SCOPE)
        message(STATUS "${target}.so goes to ${CMAKE_BINARY_DIR}/Plugins; "
                       "set BRENMARK_PROGRAM_DIR to the program's folder to build it into its Plugins folder")
        return()
    endif()
    if(NOT IS_ABSOLUTE "${BRENMARK_PROGRAM_DIR}" OR NOT IS_DIRECTORY "${BRENMARK_PROGRAM_DIR}")
        message(FATAL_ERROR "BRENMARK_PROGRAM_DIR is \"${BRENMARK_PROGRAM_DIR}\": it must be the absolute "
                            "path of an existing folder, the one that holds the program and its Plugins folder")
    endif()
    set(${out} ${BRENMARK_PROGRAM_DIR}/Plugins PARENT_SCOPE)
endfunction()

# The language the embedded images are compiled in: the generated source is
# valid C and C++, so whichever the project enabled.
function(brenmark_resource_extension out)
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    if("C" IN_LIST languages)
        set(${out} c PARENT_SCOPE)
    elseif("CXX" IN_LIST languages)
        set(${out} cpp PARENT_SCOPE)
    else()
        message(FATAL_ERROR "brenmark_add_module: enable C++ (or C) first, e.g. project(my_module CXX), "
                            "and include BrenmarkModule after project()")
    endif()
endfunction()

function(brenmark_add_module target)
    cmake_parse_arguments(ARG "" "OUTPUT_DIRECTORY" "SOURCES;LIBRARIES;RESOURCES" ${ARGN})
    if(NOT ARG_OUTPUT_DIRECTORY)
        brenmark_default_module_folder(${target} ARG_OUTPUT_DIRECTORY)
    endif()

    set(resource_sources "")
    list(LENGTH ARG_RESOURCES resource_count)
    if(resource_count GREATER 0)
        math(EXPR odd "${resource_count} % 2")
        if(odd)
            message(FATAL_ERROR "brenmark_add_module(${target}): RESOURCES takes pairs of a name and a file")
        endif()
        brenmark_resource_extension(extension)
        math(EXPR last "${resource_count} - 1")
        foreach(i RANGE 0 ${last} 2)
            math(EXPR j "${i} + 1")
            list(GET ARG_RESOURCES ${i} res_name)
            list(GET ARG_RESOURCES ${j} res_file)
            get_filename_component(res_file ${res_file} ABSOLUTE)
            set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources/${res_name}.${extension})
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
