# Helpers that give every Fernwick target the same language level, warnings
# and sanitizers, and that register GoogleTest suites with CTest.

set(FERNWICK_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address;undefined")

# fernwick_apply_settings(TARGET [UTF8_LITERALS])
# Source files are UTF-8; narrow string literals become code-page-936 bytes,
# the encoding of every text inside the program. UTF8_LITERALS keeps them
# UTF-8, for the layers that include a toolkit's headers (which, like the
# standard <chrono>, hold literals code page 936 cannot represent) and that
# take texts only from their callers.
function(fernwick_apply_settings target)
  cmake_parse_arguments(ARG "UTF8_LITERALS" "" "" ${ARGN})
  if(ARG_UTF8_LITERALS)
    set(execution_charset UTF-8)
  else()
    set(execution_charset CP936)
  endif()
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE
    -finput-charset=UTF-8 -fexec-charset=${execution_charset}
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-qual
    -Wold-style-cast -Wimplicit-fallthrough -Werror)
  if(FERNWICK_SANITIZE)
    list(JOIN FERNWICK_SANITIZE "," sanitizers)
    target_compile_options(${target} PRIVATE -fsanitize=${sanitizers} -fno-omit-frame-pointer
      -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${sanitizers})
  endif()
endfunction()

# fernwick_library(NAME SOURCES ... [DEPENDS targets...] [UTF8_LITERALS])
# A subsystem library: public headers under include/, private code under src/.
function(fernwick_library name)
  cmake_parse_arguments(ARG "UTF8_LITERALS" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name}
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(ARG_UTF8_LITERALS)
    fernwick_apply_settings(${name} UTF8_LITERALS)
  else()
    fernwick_apply_settings(${name})
  endif()
endfunction()

# fernwick_test(NAME SOURCES ... [DEPENDS targets...])
function(fernwick_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} fernwick_test_support GTest::gtest GTest::gtest_main)
  fernwick_apply_settings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
