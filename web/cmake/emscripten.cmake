# Compiler and linker settings shared by everything built to WebAssembly.
# Native wasm exceptions: the engine throws when scripted draws run out, and
# they run the rules at about twice the speed of emscripten's JS exceptions.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_compile_options(-O3)
  add_link_options(-O3)
endif()
# Test programs run under the plain node: the threads flag emcmake adds is
# one that current node versions refuse.
set(CMAKE_CROSSCOMPILING_EMULATOR node)
# GoogleTest is built from Debian's sources (web/cmake/FindGTest.cmake).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

# A program run by node on the real file system, with its exit status; its
# wasm goes inside the .js, since this emscripten would fetch() a path.
function(varzeno_programa_node alvo)
  target_link_options(${alvo} PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sSINGLE_FILE=1)
endfunction()
