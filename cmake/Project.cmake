# Compile options shared by every target of ours: strict warnings, errors on
# warnings, and the sanitizer build when asked for.
add_library(towary_options INTERFACE)
target_compile_options(towary_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Woverloaded-virtual -Wimplicit-fallthrough -Werror)
target_include_directories(towary_options INTERFACE ${PROJECT_SOURCE_DIR})
if(TOWARY_SANITIZE)
  target_compile_options(towary_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(towary_options INTERFACE -fsanitize=address,undefined)
endif()

# towary_test(name sources...): a GoogleTest executable registered with CTest.
include(GoogleTest)
find_package(GTest REQUIRED)
function(towary_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE towary_options GTest::gtest GTest::gtest_main TestSupport)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
