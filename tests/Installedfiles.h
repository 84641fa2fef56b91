// Installedfiles: a test's file system installed for a scope.
#pragma once

#include "platform/Files.h"

// Installs a file system for the life of the object, then puts the previous one back.
class TInstalledFiles {
public:
    explicit TInstalledFiles(Platform::TFileSystem& fs) : Previous(&Platform::Files())
    {
        Platform::InstallFiles(&fs);
    }
    ~TInstalledFiles() { Platform::InstallFiles(Previous); }
    TInstalledFiles(const TInstalledFiles&) = delete;
    TInstalledFiles& operator=(const TInstalledFiles&) = delete;

private:
    Platform::TFileSystem* Previous;
};
