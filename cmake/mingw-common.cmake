# Shared by both mingw-w64 toolchains; NORVALE_MINGW_TRIPLE names the target.
# The posix thread model gives std::thread, std::mutex and std::condition_variable.
set(CMAKE_C_COMPILER ${NORVALE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NORVALE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NORVALE_MINGW_TRIPLE}-windres)
set(NORVALE_WIDL ${NORVALE_MINGW_TRIPLE}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${NORVALE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Nothing but the system DLLs ships: the compiler runtime is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
