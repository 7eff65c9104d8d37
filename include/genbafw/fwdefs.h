// Export macro of the framework layer (genbafw.dll on Windows, a static library elsewhere).
#pragma once

#if defined(_WIN32) && !defined(GENBAFW_STATIC)
#  if defined(GENBAFW_BUILDING)
#    define GENBAFW_API __declspec(dllexport)
#  else
#    define GENBAFW_API __declspec(dllimport)
#  endif
#else
#  define GENBAFW_API
#endif
