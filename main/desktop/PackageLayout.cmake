# Run by CPack in its staging folder, after installing with the prefix
# /opt/brenmark: the program directory becomes /opt/brenmark itself, and what
# the desktop and the shell look for moves under /usr.
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
set(opt ${root}/opt/brenmark)
if(NOT IS_DIRECTORY ${opt}/lib/brenmark)
    message(FATAL_ERROR "No program directory in ${opt}/lib/brenmark")
endif()

file(MAKE_DIRECTORY ${root}/usr/bin)
file(RENAME ${opt}/share ${root}/usr/share)
# The relative links of bin/ go with the rest; /usr/bin gets absolute ones.
file(RENAME ${opt}/lib/brenmark ${root}/program)
file(REMOVE_RECURSE ${opt})
file(RENAME ${root}/program ${opt})
foreach(program brenmark brenmark-batch)
    file(CREATE_LINK /opt/brenmark/${program} ${root}/usr/bin/${program} SYMBOLIC)
endforeach()

set(entry ${root}/usr/share/applications/brenmark.desktop)
file(READ ${entry} text)
string(REPLACE "/opt/brenmark/lib/brenmark/" "/opt/brenmark/" text "${text}")
file(WRITE ${entry} "${text}")
