// Export macro of genbaenv.dll.
#pragma once

#if defined(_WIN32)
#  if defined(GENBAENV_BUILDING)
#    define GENBAENV_API __declspec(dllexport)
#  else
#    define GENBAENV_API __declspec(dllimport)
#  endif
#else
#  define GENBAENV_API
#endif
