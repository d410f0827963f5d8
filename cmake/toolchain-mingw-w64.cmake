# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). The programs link the compiler's run-time libraries
# statically, so that a bare .exe runs without libstdc++, libgcc or winpthread DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TALV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static takes winpthread as an archive too; the two others name libgcc and libstdc++.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
