# Compiler settings shared by every target of the project.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Sources are UTF-8; literals become CP932 bytes at run time. Resource scripts say
  # their code page themselves, and the resource compiler takes no compiler options.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8;-fexec-charset=CP932>")
endif()
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra>")

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # No MinGW runtime DLL may be needed beside the library: libgcc, libstdc++ and
  # winpthread are linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(GENBA_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
