# Writes the linker's dynamic list of what a module takes from the program:
# the module's undefined symbols. The program exports those (the ones it
# defines) and no others. Run by CMake with -DNM=... -DMODULE=... -DOUT=...
execute_process(COMMAND ${NM} -D --undefined-only "${MODULE}"
  OUTPUT_VARIABLE undefined RESULT_VARIABLE rc ERROR_VARIABLE errors)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${MODULE}:\n${errors}")
endif()
string(REGEX MATCHALL "U [^\n@]+" names "${undefined}")
set(list "{\n")
foreach(name IN LISTS names)
  string(SUBSTRING "${name}" 2 -1 symbol)
  string(APPEND list "  \"${symbol}\";\n")
endforeach()
string(APPEND list "};\n")
file(WRITE "${OUT}.new" "${list}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
