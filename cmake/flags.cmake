# The compiler flags of every target, written once for every toolchain.

add_compile_options(-Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
if(TUMBLIX_WERROR)
  add_compile_options(-Werror)
endif()
add_compile_definitions(TUMBLIX_VERSION="${PROJECT_VERSION}")
# No build folder in any output: the same commit gives the same bytes wherever it is built.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)

if(WIN32)
  # The cross build makes small programs: Tumblix.scr has a size budget.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-Os;-fno-exceptions;-fno-rtti>"
    "$<$<COMPILE_LANGUAGE:CXX>:-fno-asynchronous-unwind-tables;-ffunction-sections;-fdata-sections>")
elseif(EMSCRIPTEN)
  # The page needs neither exceptions nor run-time types.
  add_compile_options(-fno-exceptions -fno-rtti)
else()
  # Debian's hardening for the programs it ships: checked string and memory calls where
  # the optimizer can see the sizes, and the relocation tables made read-only at start.
  add_compile_definitions($<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro,-z,now)
endif()

if(TUMBLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# tumblix_sources_of(<variable> <target>...): the source files of the targets, as full paths,
# for a program that compiles them again with flags of its own.
function(tumblix_sources_of variable)
  set(files)
  foreach(target ${ARGN})
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    foreach(source ${sources})
      if(IS_ABSOLUTE ${source})
        list(APPEND files ${source})
      else()
        list(APPEND files ${folder}/${source})
      endif()
    endforeach()
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()
