#pragma once

// Marks a function whose loops are worth a second copy built for x86-64-v3 (AVX2, FMA);
// the copy that fits the processor is chosen when the program loads. Elsewhere it is
// ordinary code.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) &&                            \
    !defined(__SANITIZE_ADDRESS__)
#define MPEG_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define MPEG_VECTOR_CLONES
#endif

#include <cstring>

// Eight floats handled as one value; plain code on any processor, one register with AVX.
typedef float MpegVec8 __attribute__((vector_size(32)));

#define MPEG_LOAD8(vec, pointer) std::memcpy(&(vec), (pointer), sizeof(MpegVec8))
#define MPEG_STORE8(pointer, vec) std::memcpy((pointer), &(vec), sizeof(MpegVec8))
