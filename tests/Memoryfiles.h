// Memoryfiles: a file system keeping the files under one folder in memory; every other path goes
// to the system's files.
#pragma once

#include "platform/Files.h"

#include <map>
#include <string>
#include <string_view>

class TMemoryFiles : public Platform::TFileSystem {
public:
    // folder has no trailing separator; files are the paths folder + "/" + name.
    explicit TMemoryFiles(std::string folder);

    const std::string& Folder() const { return Root; }
    void Put(const std::string& path, std::string bytes);
    void Remove(const std::string& path);
    // Forgets every file.
    void Clear() { Stored.clear(); }
    // The content of a file, or nullptr when there is none.
    const std::string* Find(const std::string& path) const;

    Platform::TPathKind Kind(const std::string& path) override;
    std::string ReadAll(const std::string& path) override;
    void WriteAll(const std::string& path, std::string_view bytes) override;
    std::unique_ptr<Platform::TOutputStream> OpenOutput(const std::string& path) override;
    bool SameFile(const std::string& a, const std::string& b) override;
    bool CanOpenForReading(const std::string& path) override;
    bool CreateEmpty(const std::string& path) override;
    bool CanReplace(const std::string& path) override;

protected:
    void ReplaceWhole(const std::string& path, std::string_view bytes) override;

private:
    std::string Root;
    std::map<std::string, std::string, std::less<>> Stored;

    // Whether path lies under the folder, so that it lives here.
    bool Covers(std::string_view path) const;
};
