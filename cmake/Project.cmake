# Compile options shared by every target of ours: strict warnings, errors on
# warnings, and the sanitizer build when asked for.
add_library(towary_options INTERFACE)
target_compile_options(towary_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
# A unity build compiles each source as if included by another, so GCC reads a
# type a source keeps in its anonymous namespace as leaking out of a header.
if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(towary_options INTERFACE -Wno-subobject-linkage)
endif()
target_include_directories(towary_options INTERFACE ${PROJECT_SOURCE_DIR})
if(TOWARY_SANITIZE)
  target_compile_options(towary_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(towary_options INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz targets (fuzz/) link libFuzzer; everything they reach is built with
# its coverage instrumentation. Only clang has libFuzzer.
if(TOWARY_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TOWARY_FUZZ needs clang: configure with CXX=clang++-14 (scripts/build-clang.sh)")
  endif()
  target_compile_options(towary_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# towary_test(name sources...): a GoogleTest executable registered with CTest.
include(GoogleTest)
find_package(GTest REQUIRED)
function(towary_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE towary_options GTest::gtest GTest::gtest_main TestSupport)
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
