# Cross-compiling the Windows build with clang for the same mingw-w64 target as the GCC build,
# against the same headers and the same C++ runtime (GCC's libstdc++, posix threads), linked
# by lld. It checks that the program does not depend on one compiler.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Debian's mingw-w64 GCC keeps libstdc++ in a folder named after its thread model
# ("12-posix"), which clang's driver does not recognise as a GCC installation: name it.
file(GLOB quorvel_mingw_gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
if(NOT quorvel_mingw_gcc_dirs)
  message(FATAL_ERROR "no mingw-w64 GCC with posix threads (g++-mingw-w64-x86-64-posix)")
endif()
list(SORT quorvel_mingw_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET quorvel_mingw_gcc_dirs 0 quorvel_mingw_gcc)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${quorvel_mingw_gcc}/include/c++
    ${quorvel_mingw_gcc}/include/c++/x86_64-w64-mingw32 ${quorvel_mingw_gcc}/include/c++/backward)
# One self-contained exe: the C++ runtime and winpthreads are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${quorvel_mingw_gcc} -static")
