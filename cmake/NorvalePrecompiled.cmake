# Precompiled headers for the Windows builds. Nearly every file of the Windows layer and of the tests includes
# <windows.h>, and every test GoogleTest: under mingw-w64 parsing those is about half of a file's compile time, and
# each Windows build compiles several hundred files. The native preset uses none, so the portable core's files are
# still compiled there exactly as they include.
#
# norvale_core_pch(TARGET)          the standard library's headers, for the portable core's own files
# norvale_windows_pch(TARGET)       those and the Windows layer's headers
# norvale_test_pch(TARGET)          those and GoogleTest's, shared by every test executable (one compiled header)

set(NORVALE_CORE_PCH_HEADERS
    <algorithm> <cstdint> <functional> <map> <memory> <optional> <string> <string_view> <utility> <vector>)
set(NORVALE_WINDOWS_PCH_HEADERS <windows.h> <objbase.h> <wrl/client.h> ${NORVALE_CORE_PCH_HEADERS})

function(norvale_core_pch target)
  if(WIN32)
    target_precompile_headers(${target} PRIVATE ${NORVALE_CORE_PCH_HEADERS})
  endif()
endfunction()

function(norvale_windows_pch target)
  if(WIN32)
    target_precompile_headers(${target} PRIVATE ${NORVALE_WINDOWS_PCH_HEADERS})
  endif()
endfunction()

# The test executables reuse one compiled header; it is made for an object library of their own flags and
# definitions (a compiled header is used only with the options it was made with).
function(norvale_test_pch target)
  if(NOT WIN32)
    return()
  endif()
  if(NOT TARGET norvale_test_pch)
    add_library(norvale_test_pch OBJECT ${PROJECT_SOURCE_DIR}/tests/common/win/PrecompiledTestHeaders.cpp)
    target_link_libraries(norvale_test_pch PRIVATE norvale_test_support_win GTest::gmock GTest::gtest)
    target_precompile_headers(norvale_test_pch PRIVATE ${NORVALE_WINDOWS_PCH_HEADERS} <gtest/gtest.h>
                              <gmock/gmock.h>)
  endif()
  target_precompile_headers(${target} REUSE_FROM norvale_test_pch)
endfunction()
