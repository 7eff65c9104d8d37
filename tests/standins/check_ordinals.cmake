# Reads the import table of CONSUMER with OBJDUMP: formkit.dll and uipack.dll must be
# imported by ordinal only, with exactly the ordinals of their entry points. An import
# by ordinal shows as the ordinal with the top bit set, in hexadecimal on both
# architectures.
execute_process(COMMAND ${OBJDUMP} -p ${CONSUMER} OUTPUT_VARIABLE dump)
string(REGEX REPLACE "[][;]" "_" dump "${dump}")   # brackets and semicolons would split badly
string(REPLACE "\n" ";" lines "${dump}")
set(want_formkit.dll "1;41;44;a")
set(want_uipack.dll "1")
set(dll "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.*)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(DEFINED want_${dll} AND line MATCHES "^\t([0-9a-f]+)\t +[0-9a-f]+  (.*)$")
    set(member "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "^80*" "" ord "${CMAKE_MATCH_1}")
    if(NOT member MATCHES "^<none>")
      message(FATAL_ERROR "${dll}: imported by name: ${member}")
    endif()
    list(APPEND got_${dll} "${ord}")
  endif()
endforeach()
foreach(dll formkit.dll uipack.dll)
  list(SORT got_${dll})
  if(NOT "${got_${dll}}" STREQUAL "${want_${dll}}")
    message(FATAL_ERROR "${dll}: ordinals imported: '${got_${dll}}', expected '${want_${dll}}'")
  endif()
endforeach()
