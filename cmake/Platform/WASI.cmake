# WASI, the WebAssembly system interface, as cmake/wasm32-wasi.cmake targets it:
# CMake's generic system, with commands named NAME.wasm.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
