#include "import/MpegMemoryInput.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kPrefix = "memory:";

struct MemoryInput {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
};

bool ParseName(const char* name, MemoryInput& input) {
    std::uintptr_t address = 0;
    std::uint64_t size = 0;
    if (name == nullptr || std::strncmp(name, kPrefix, std::strlen(kPrefix)) != 0 ||
        std::sscanf(name + std::strlen(kPrefix), "%" SCNxPTR ":%" SCNu64, &address, &size) != 2) {
        return false;
    }
    input.data = reinterpret_cast<const std::uint8_t*>(address);
    input.size = static_cast<std::size_t>(size);
    return size == 0 || address != 0;
}

int AcceptName(const char* name) {
    MemoryInput probe;
    return ParseName(name, probe) ? 0 : -1;
}

int Describe(MpegInputModuleInfo* info) {
    static const char* const kDevices[] = {"memory block"};
    if (info == nullptr) {
        return kMpegErrorInvalidParameters;
    }
    info->name = "Input From Memory";
    info->version = "Version 1.0";
    info->devices = kDevices;
    info->deviceCount = 1;
    return kMpegSuccess;
}

int NewInstance(void** instance, const char* name) {
    MemoryInput input;
    if (instance == nullptr || !ParseName(name, input)) {
        return kMpegErrorInvalidParameters;
    }
    *instance = new MemoryInput(input);
    return kMpegSuccess;
}

void DeleteInstance(void* instance) {
    delete static_cast<MemoryInput*>(instance);
}

int Open(void* instance) {
    static_cast<MemoryInput*>(instance)->position = 0;
    return kMpegSuccess;
}

int Close(void*) {
    return kMpegSuccess;
}

std::size_t Read(void* instance, void* buffer, std::size_t size) {
    auto* input = static_cast<MemoryInput*>(instance);
    const std::size_t count = std::min(size, input->size - input->position);
    if (count > 0) {
        std::memcpy(buffer, input->data + input->position, count);
    }
    input->position += count;
    return count;
}

int Seek(void* instance, std::uint64_t offset) {
    auto* input = static_cast<MemoryInput*>(instance);
    if (offset > input->size) {
        return kMpegErrorInternal;
    }
    input->position = static_cast<std::size_t>(offset);
    return kMpegSuccess;
}

int Seekable(void*) {
    return 1;
}

std::uint64_t Size(void* instance) {
    return static_cast<MemoryInput*>(instance)->size;
}

} // namespace

MpegInputModule MpegMemoryInputModule() {
    MpegInputModule module;
    module.acceptName = AcceptName;
    module.describe = Describe;
    module.newInstance = NewInstance;
    module.deleteInstance = DeleteInstance;
    module.open = Open;
    module.close = Close;
    module.read = Read;
    module.seek = Seek;
    module.seekable = Seekable;
    module.size = Size;
    return module;
}

std::string MpegMemoryInputName(const std::uint8_t* data, std::size_t size) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%" PRIxPTR ":%" PRIu64, kPrefix,
                  reinterpret_cast<std::uintptr_t>(data), static_cast<std::uint64_t>(size));
    return name;
}
