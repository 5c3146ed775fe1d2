# Compiles for WebAssembly (wasm32-wasi) with Debian's clang-16 and lld-16,
# against its wasi-libc and libc++ (scripts/setup.sh installs them), without
# exceptions. The commands it makes run in a WASI host such as Node's node:wasi.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
# CMake 3.25 knows no WASI: Platform/WASI.cmake beside this file names its commands.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

set(CMAKE_CXX_COMPILER clang++-16)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# Debian spreads the WASI sysroot over /usr. With /usr as the sysroot the
# linker finds the start files, wasi-libc and libc++ in /usr/lib/wasm32-wasi and
# the compiler's builtins in its own folder; the headers are named one by one,
# so that the host's /usr/include stays out of sight.
set(CMAKE_SYSROOT /usr)
set(CMAKE_CXX_FLAGS_INIT
    "-fno-exceptions -nostdlibinc -isystem /usr/lib/llvm-16/include/wasm32-wasi/c++/v1 -isystem /usr/include/wasm32-wasi")
# The header flags above reach the link too, where they have nothing to do.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wno-unused-command-line-argument")
