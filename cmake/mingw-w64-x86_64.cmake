# Cross build for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, which
# std::thread and Qt need). Used by scripts/windows/build.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TERNU_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TERNU_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TERNU_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TERNU_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW sysroot and the Windows Qt (given in
# CMAKE_PREFIX_PATH); programs such as moc and rcc from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TERNU_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
