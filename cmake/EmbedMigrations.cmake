# cmake -DOUTPUT=file.cpp -DMIGRATIONS="a.sql|b.sql" -P EmbedMigrations.cmake
# Writes the C++ source of DBKernel::Schema::migrations(): every migration
# file, named NNNN_name.sql, as a string, in order of the numbers, which must
# run 1, 2, 3... without gaps.
string(REPLACE "|" ";" files "${MIGRATIONS}")
list(SORT files)
set(entries "")
set(expected 1)
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME_WE)
  if(NOT name MATCHES "^0*([1-9][0-9]*)_")
    message(FATAL_ERROR "Migration ${file}: the name must start with its number, as 0001_name.sql")
  endif()
  set(number "${CMAKE_MATCH_1}")
  if(NOT number EQUAL expected)
    message(FATAL_ERROR "Migration ${file}: expected number ${expected}; migrations are numbered without gaps")
  endif()
  file(READ "${file}" script)
  string(FIND "${script}" ")migration\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "Migration ${file} holds the text )migration\" that ends the embedded string")
  endif()
  string(APPEND entries "    {${number}, \"${name}\", R\"migration(${script})migration\"},\n")
  math(EXPR expected "${expected} + 1")
endforeach()
if(expected EQUAL 1)
  message(FATAL_ERROR "No schema migrations found")
endif()
file(WRITE "${OUTPUT}.new"
"// Generated from schema/migrations/ by cmake/EmbedMigrations.cmake.
#include \"Core/Database/Schema.h\"

namespace DBKernel::Schema {
namespace {

const Migration all[] = {
${entries}};

}  // namespace

std::span<const Migration> migrations() { return all; }

}  // namespace DBKernel::Schema
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
