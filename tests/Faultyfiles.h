// Faultyfiles: a file system that passes every call to another one, except for the faults a test
// sets: a write that runs out of disk after some bytes, or a file that cannot be read.
#pragma once

#include "Installedfiles.h"
#include "platform/Files.h"

#include <string>

class TFaultyFiles : public Platform::TFileSystem {
public:
    explicit TFaultyFiles(Platform::TFileSystem& inner = Platform::SystemFiles());

    // The next write of path (with an empty path: of any file) fails with "disk full" once
    // bytes bytes have gone through. A file written whole or as it grows is left empty, a
    // replaced file as it was.
    void FailNextWrite(long long bytes, const std::string& path = {});
    void ClearWriteFault();
    // Every read of path fails as an unreadable file does; an empty path switches it off.
    void FailReads(const std::string& path);
    // Every write into folder fails as in a folder the user may not change (a shared install);
    // an empty folder switches it off.
    void DenyWritesIn(const std::string& folder);

    Platform::TPathKind Kind(const std::string& path) override { return Inner.Kind(path); }
    std::string ReadAll(const std::string& path) override;
    void WriteAll(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<Platform::TOutputStream> OpenOutput(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override
    {
        return Inner.SameFile(a, b);
    }
    bool CanOpenForReading(const std::string& path) override
    {
        return Inner.CanOpenForReading(path);
    }
    bool CreateEmpty(const std::string& path) override { return Inner.CreateEmpty(path); }
    bool CanReplace(const std::string& path) override;

protected:
    void ReplaceWhole(const std::string& path, std::string_view bytes) override;

private:
    Platform::TFileSystem& Inner;
    long long WriteBudget = -1;
    std::string WritePath;
    std::string ReadPath;
    std::string DeniedFolder;

    // Throws as a denied write when path lies in the denied folder.
    void CheckAllowed(const std::string& path) const;

    // The bytes the write of path may pass before it fails, or -1; the fault is used up.
    long long TakeWriteFault(const std::string& path);
};
