# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# flavour, which has std::thread and std::mutex).
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DCMAKE_PREFIX_PATH=<Qt for Windows>
#
# scripts/windows.sh makes that Qt and passes its folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VQ_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VQ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VQ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VQ_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${VQ_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VQ_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP ${VQ_MINGW_TRIPLET}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VQ_MINGW_TRIPLET}-objdump CACHE FILEPATH "")

# Libraries and headers only from the MinGW tree and the Windows Qt; the
# build's tools (moc, rcc, uic) are the host's own.
set(CMAKE_FIND_ROOT_PATH /usr/${VQ_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
