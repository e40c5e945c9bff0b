# Cross-builds Pelmar for 64-bit Windows from Linux with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64, its posix thread model):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Every program is linked statically, so that it needs no DLL beside it: only the
# system's own (kernel32, user32, gdi32, opengl32, advapi32, winmm, msvcrt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELMAR_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GoogleTest's threads and std::thread need it.
set(CMAKE_C_COMPILER ${PELMAR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMAR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMAR_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PELMAR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread would otherwise be DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest runs the test programs under Wine where it is installed.
find_program(PELMAR_WINE wine)
if(PELMAR_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PELMAR_WINE})
endif()
