# The same sources for 64-bit Windows: used to run the Windows tests where the host kernel cannot run
# 32-bit code (and with it 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTREL_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
