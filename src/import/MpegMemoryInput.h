#pragma once

#include "import/MpegInputModule.h"

#include <cstddef>
#include <cstdint>
#include <string>

// An input module that reads a block of memory, for decoding data that is already loaded
// (and for tests and fuzzing). It takes only names made by MpegMemoryInputName; the memory
// must outlive the decoder's input.
MpegInputModule MpegMemoryInputModule();
std::string MpegMemoryInputName(const std::uint8_t* data, std::size_t size);
