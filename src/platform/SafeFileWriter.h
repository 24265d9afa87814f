#pragma once

#include <cstdint>
#include <span>
#include <string>

// Replaces a file only after its new contents are completely on disk: the bytes go to a
// temporary file in the same folder, are flushed, and the temporary file is renamed over the
// target. On any failure the target is left exactly as it was and the temporary file removed.
class SafeFileWriter {
public:
    // Returns false and sets error (a short reason) when the file could not be written.
    static bool Write(const std::string& path, std::span<const std::uint8_t> bytes,
                      std::string* error = nullptr);
};
