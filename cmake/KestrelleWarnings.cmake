# Warning and sanitizer flags for our own targets only (third-party headers are system headers).
add_library(kestrelle_options INTERFACE)
target_compile_options(kestrelle_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
# GCC 12 reports -Wrestrict inside libstdc++'s own string code when it inlines operator+ at -O2
# (a known false positive); it says nothing about our code.
target_compile_options(kestrelle_options INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
if(KESTRELLE_WERROR)
  target_compile_options(kestrelle_options INTERFACE -Werror)
endif()
if(KESTRELLE_SANITIZE)
  target_compile_options(kestrelle_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=undefined
                                                     -fno-omit-frame-pointer)
  target_link_options(kestrelle_options INTERFACE -fsanitize=address,undefined)
endif()
if(KESTRELLE_FUZZ)
  # Our libraries carry coverage and sanitizer instrumentation; fuzz/ links them into the fuzzers.
  target_compile_options(kestrelle_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                     -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kestrelle_options INTERFACE -fsanitize=address,undefined)
endif()
target_include_directories(kestrelle_options INTERFACE ${CMAKE_SOURCE_DIR}/src)

# kestrelle_layer(NAME DIR DEPS...): one static library per layer, from every .cpp under DIR.
function(kestrelle_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  if(sources)
    add_library(kestrelle_${name} STATIC ${sources})
    target_link_libraries(kestrelle_${name} PUBLIC kestrelle_options ${ARGN})
  else()
    add_library(kestrelle_${name} INTERFACE)
    target_link_libraries(kestrelle_${name} INTERFACE kestrelle_options ${ARGN})
  endif()
endfunction()
