// The core as a WebAssembly module (tandrel-core.wasm, a WASI reactor): the
// JSON door and the memory a host hands over to it.
//
//   alloc(n) -> p        n bytes for the host to write a request into
//   door(p, n) -> a      the answer to the n-byte request at p: 4 bytes of
//                        its length (little-endian), then the answer's UTF-8
//   free(p)              gives back what alloc or door returned
#include "door.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" {

__attribute__((export_name("alloc"))) void* Alloc(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

__attribute__((export_name("free"))) void Free(void* block) {
    std::free(block);
}

__attribute__((export_name("door"))) unsigned char* AnswerDoor(const char* request, std::size_t size) {
    const std::string answer = Door(std::string_view(request, size));
    const auto length = static_cast<std::uint32_t>(answer.size());
    auto* block = static_cast<unsigned char*>(std::malloc(4 + answer.size()));
    if (block == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < 4; ++i) {
        block[i] = static_cast<unsigned char>(length >> (8 * i));
    }
    std::memcpy(block + 4, answer.data(), answer.size());
    return block;
}
}
