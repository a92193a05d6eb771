# Fails when a core folder includes from a folder above it. The folders are
# listed from the bottom up; each may include only from itself and from the
# folders before it, so no two folders can come to depend on each other.
# A new dependency that points downwards needs only the folder in its place.
set(layers
    CRCunit
    options/core
    main/core/modulehost
    main/core/undo
    main/core/chain
    main/core/filelist
    main/core/templates
    main/core/batch
    main/core/shell
    information/core
    main/core/look
    about/core)

set(offenders "")
list(LENGTH layers count)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    list(GET layers ${index} folder)
    file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        message(FATAL_ERROR "no sources in ${folder}: the list of folders is out of date")
    endif()
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^#[ \t]*include[ \t]*\"")
        foreach(line ${includes})
            string(REGEX REPLACE "^#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
            get_filename_component(includedFolder ${included} DIRECTORY)
            list(FIND layers "${includedFolder}" includedIndex)
            if(includedIndex GREATER index)
                file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
                list(APPEND offenders "${name} includes ${included}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(offenders)
    string(REPLACE ";" "\n" offenders "${offenders}")
    message(FATAL_ERROR "Core folders include from folders above them:\n${offenders}")
endif()
