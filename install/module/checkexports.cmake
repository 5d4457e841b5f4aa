# cmake -DMODULE=<libKvrInstall.so> -P checkexports.cmake
# The module's dynamic symbol table defines the two actions and nothing else.
execute_process(COMMAND nm -D --defined-only ${MODULE} OUTPUT_VARIABLE listing
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(names)
foreach(line ${lines})
    string(REGEX REPLACE "^.* " "" name "${line}")
    list(APPEND names ${name})
endforeach()
list(SORT names)
if(NOT names STREQUAL "Commit;Uninstall")
    message(FATAL_ERROR "exported: ${names}")
endif()
message(STATUS "exported: ${names}")
