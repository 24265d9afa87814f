#pragma once

#include <string>

// The skin as start-up and exit see it: loaded once from the program folder, released
// at the end.
class SkinSystem {
public:
    virtual ~SkinSystem() = default;
    virtual bool LoadSkin(const std::string& programFolder, const std::string& name) = 0;
    virtual void UnloadSkin() = 0;
};
