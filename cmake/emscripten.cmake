# The web page with Debian's Emscripten (package emscripten): its own toolchain file, which
# finds em++ and the WebAssembly runtime.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Debian's Emscripten finds its JavaScript tools among Debian's node modules, at every step
# of the build, not only here.
set(TUMBLIX_EMSCRIPTEN_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER ${TUMBLIX_EMSCRIPTEN_ENV})
set(CMAKE_CXX_COMPILER_LAUNCHER ${TUMBLIX_EMSCRIPTEN_ENV})
set(CMAKE_CXX_LINKER_LAUNCHER ${TUMBLIX_EMSCRIPTEN_ENV})
set(ENV{NODE_PATH} /usr/share/nodejs)
