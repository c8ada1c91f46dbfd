# How a source folder contributes to the libraries. Each folder's CMakeLists.txt says which of its files are
#   norvale_core_sources(...)      the portable core: no Windows header; built natively and for Windows
#   norvale_platform_sources(NATIVE ... WINDOWS ...)
#                                  the core's seams to the operating system, one implementation per platform
#   norvale_windows_sources(...)   the Windows layer (Windows builds only)
# Paths are relative to the calling folder.

function(norvale_core_sources)
  target_sources(norvale_core PRIVATE ${ARGN})
endfunction()

function(norvale_platform_sources)
  cmake_parse_arguments(arg "" "" "NATIVE;WINDOWS" ${ARGN})
  if(WIN32)
    target_sources(norvale_platform PRIVATE ${arg_WINDOWS})
  else()
    target_sources(norvale_platform PRIVATE ${arg_NATIVE})
  endif()
endfunction()

function(norvale_windows_sources)
  if(WIN32)
    target_sources(norvale_win PRIVATE ${ARGN})
  endif()
endfunction()
