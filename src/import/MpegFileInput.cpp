#include "import/MpegFileInput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

struct FileInput {
    std::string name;
    std::FILE* file = nullptr;
    bool standardInput = false;
};

const char* const kDevices[] = {"any file name", "standard input"};

int AcceptName(const char*) {
    return 0;
}

int Describe(MpegInputModuleInfo* info) {
    if (info == nullptr) {
        return kMpegErrorInvalidParameters;
    }
    info->name = "Input From File";
    info->version = "Version 1.2";
    info->devices = kDevices;
    info->deviceCount = 2;
    return kMpegSuccess;
}

int NewInstance(void** instance, const char* name) {
    if (instance == nullptr || name == nullptr || name[0] == '\0') {
        return kMpegErrorInvalidParameters;
    }
    *instance = new FileInput{name};
    return kMpegSuccess;
}

void DeleteInstance(void* instance) {
    delete static_cast<FileInput*>(instance);
}

int ErrorFromErrno(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return kMpegErrorNoSuchFile;
    }
    return error == EACCES || error == EPERM ? kMpegErrorPermissionDenied : kMpegErrorOpenFailed;
}

int Open(void* instance) {
    auto* input = static_cast<FileInput*>(instance);
    if (input->file != nullptr) {
        return kMpegSuccess;
    }
    if (input->name == "-") {
        input->file = stdin;
        input->standardInput = true;
        return kMpegSuccess;
    }
    input->file = std::fopen(input->name.c_str(), "rb");
    if (input->file == nullptr) {
        return ErrorFromErrno(errno);
    }
    struct stat info {};
    if (fstat(fileno(input->file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(input->file);
        input->file = nullptr;
        return kMpegErrorOpenFailed;
    }
    return kMpegSuccess;
}

int Close(void* instance) {
    auto* input = static_cast<FileInput*>(instance);
    if (input->file != nullptr && !input->standardInput) {
        std::fclose(input->file);
    }
    input->file = nullptr;
    return kMpegSuccess;
}

std::size_t Read(void* instance, void* buffer, std::size_t size) {
    auto* input = static_cast<FileInput*>(instance);
    if (input->file == nullptr) {
        return 0;
    }
    return std::fread(buffer, 1, size, input->file);
}

int Seek(void* instance, std::uint64_t offset) {
    auto* input = static_cast<FileInput*>(instance);
    if (input->file == nullptr || input->standardInput ||
        std::fseek(input->file, static_cast<long>(offset), SEEK_SET) != 0) {
        return kMpegErrorInternal;
    }
    return kMpegSuccess;
}

int Seekable(void* instance) {
    return static_cast<FileInput*>(instance)->standardInput ? 0 : 1;
}

std::uint64_t Size(void* instance) {
    auto* input = static_cast<FileInput*>(instance);
    struct stat info {};
    if (input->file == nullptr || input->standardInput || fstat(fileno(input->file), &info) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

int Message(void*, int, const void*) {
    return 0;
}

} // namespace

MpegInputModule MpegFileInputModule() {
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
    module.message = Message;
    return module;
}
