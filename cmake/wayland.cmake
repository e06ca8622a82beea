# tumblix_wayland_protocols(<variable> <folder> <xml>...): generates each protocol's client
# header <folder>/<name>-client.h and code <folder>/<name>-protocol.c with wayland-scanner, and
# sets <variable> to the generated files, for a target's sources.
function(tumblix_wayland_protocols variable folder)
  set(files)
  foreach(xml ${ARGN})
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(OUTPUT ${folder}/${name}-client.h ${folder}/${name}-protocol.c
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${folder}/${name}-client.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${folder}/${name}-protocol.c
      DEPENDS ${xml} VERBATIM)
    list(APPEND files ${folder}/${name}-client.h ${folder}/${name}-protocol.c)
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()
