#pragma once

#include <stdexcept>

// A study file that cannot be read (truncated, unknown class, bad tag) or written.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
