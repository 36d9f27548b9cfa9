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

# lld links the suite's many executables several times faster than GNU ld.
find_program(TOWARY_LLD ld.lld)
if(TOWARY_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# towary_test(name sources...): a GoogleTest executable registered with CTest as
# one test, its cases run in one process in a random order (the seed is printed
# first), under the label of its folder in tests/ (ctest -L plu).
find_package(GTest REQUIRED)
function(towary_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE towary_options GTest::gtest GTest::gtest_main TestSupport)
  file(RELATIVE_PATH label ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_shuffle)
  set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT 1200)
endfunction()
