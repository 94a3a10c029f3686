# Cross-build for 32-bit Windows with the posix-thread MinGW compilers (std::thread, std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZENTARIUM_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Floating point in SSE2 registers, as MSVC's x86 default and every x64 build do: the x87 unit
# keeps excess precision, so the same expression could round to another pixel value than on x64.
# Windows aligns an x86 stack to 4 bytes only, so functions that spill SSE values realign it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
# On 64-bit Windows a 32-bit process then has 4 GB of address space instead of 2 GB.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--large-address-aware")
