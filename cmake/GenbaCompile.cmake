# Compiler settings shared by every target of the project.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; literals become CP932 bytes at run time. Resource scripts say
  # their code page themselves, and the resource compiler takes no compiler options.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8;-fexec-charset=CP932>")
endif()
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra>")

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # libstdc++ and winpthread are linked in. On x86_64 so is libgcc: exceptions unwind
  # through the system's tables there. i686 unwinds with DWARF tables that each copy of
  # libgcc knows only for its own module, so an exception thrown in one module (an
  # application's callback or handler) could not reach the catch in another: every
  # module shares libgcc's DLL instead, which ships beside the library with the
  # winpthread DLL it needs.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(-shared-libgcc -static-libstdc++)
    set(GENBA_RUNTIME_DLLS)
    foreach(dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(NOT IS_ABSOLUTE "${path}")
        find_file(path ${dll} PATHS /usr/${GENBA_TRIPLE}/lib NO_DEFAULT_PATH NO_CACHE)
      endif()
      if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${dll} not found")
      endif()
      list(APPEND GENBA_RUNTIME_DLLS ${path})
    endforeach()
    file(COPY ${GENBA_RUNTIME_DLLS} DESTINATION ${CMAKE_BINARY_DIR}/bin)
  else()
    add_link_options(-static -static-libgcc -static-libstdc++)
  endif()
endif()

if(GENBA_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
