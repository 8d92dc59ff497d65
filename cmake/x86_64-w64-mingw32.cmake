# The same sources as a 64-bit Windows program, for running the tests under a 64-bit Wine on a
# machine whose kernel cannot run 32-bit code (scripts/wine-arch.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
