# Helpers that give every Fernwick target the same language level, warnings
# and sanitizers, and that register GoogleTest suites with CTest.

set(FERNWICK_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address;undefined")

function(fernwick_apply_settings target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  # Source files are UTF-8; narrow string literals become code-page-936
  # bytes, the encoding of every text inside the program.
  target_compile_options(${target} PRIVATE
    -finput-charset=UTF-8 -fexec-charset=CP936
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-qual
    -Wold-style-cast -Wimplicit-fallthrough -Werror)
  if(FERNWICK_SANITIZE)
    list(JOIN FERNWICK_SANITIZE "," sanitizers)
    target_compile_options(${target} PRIVATE -fsanitize=${sanitizers} -fno-omit-frame-pointer
      -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${sanitizers})
  endif()
endfunction()

# fernwick_library(NAME SOURCES ... [DEPENDS targets...])
# A subsystem library: public headers under include/, private code under src/.
function(fernwick_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name}
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  fernwick_apply_settings(${name})
endfunction()

# fernwick_test(NAME SOURCES ... [DEPENDS targets...])
function(fernwick_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} fernwick_test_support GTest::gtest GTest::gtest_main)
  fernwick_apply_settings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
