// Memoryfiles: files in a map; an output stream keeps its bytes until Finish stores them.
#include "Memoryfiles.h"

#include "platform/Paths.h"

using Platform::SystemFiles;
using Platform::TPathKind;

namespace {

class TMemoryOutput : public Platform::TOutputStream {
public:
    TMemoryOutput(TMemoryFiles& files, std::string path) : Files(files), Path(std::move(path)) {}
    void Write(std::string_view data) override
    {
        if (!Started) {
            // As on a disk: the first write creates or empties the file.
            Started = true;
            Files.Put(Path, {});
        }
        Data += data;
    }
    void Finish() override
    {
        if (Started)
            Files.Put(Path, std::move(Data));
        Started = false;
        Data.clear();
    }

private:
    TMemoryFiles& Files;
    std::string Path;
    std::string Data;
    bool Started = false;
};

} // namespace

TMemoryFiles::TMemoryFiles(std::string folder) : Root(std::move(folder)) {}

bool TMemoryFiles::Covers(std::string_view path) const
{
    return path.size() > Root.size() && path.compare(0, Root.size(), Root) == 0 &&
           (path[Root.size()] == '/' || path[Root.size()] == Platform::PathSeparator);
}

void TMemoryFiles::Put(const std::string& path, std::string bytes)
{
    if (Covers(path))
        Stored[path] = std::move(bytes);
}

void TMemoryFiles::Remove(const std::string& path) { Stored.erase(path); }

const std::string* TMemoryFiles::Find(const std::string& path) const
{
    auto it = Stored.find(path);
    return it == Stored.end() ? nullptr : &it->second;
}

TPathKind TMemoryFiles::Kind(const std::string& path)
{
    if (path == Root)
        return TPathKind::Folder;
    if (!Covers(path))
        return SystemFiles().Kind(path);
    return Find(path) != nullptr ? TPathKind::File : TPathKind::None;
}

std::string TMemoryFiles::ReadAll(const std::string& path)
{
    if (!Covers(path))
        return SystemFiles().ReadAll(path);
    const std::string* bytes = Find(path);
    if (bytes == nullptr)
        throw Platform::FileError(Platform::FileMessage::CannotOpen, path,
                                  Platform::ReasonText(Platform::TFileReason::NotFound));
    return *bytes;
}

void TMemoryFiles::WriteAll(const std::string& path, std::string_view bytes)
{
    if (!Covers(path))
        return SystemFiles().WriteAll(path, bytes);
    Stored[path] = std::string(bytes);
}

void TMemoryFiles::ReplaceWhole(const std::string& path, std::string_view bytes)
{
    if (!Covers(path))
        return SystemFiles().Replace(path, bytes);
    Stored[path] = std::string(bytes);
}

bool TMemoryFiles::CanReplace(const std::string& path)
{
    return Covers(path) || SystemFiles().CanReplace(path);
}

std::unique_ptr<Platform::TOutputStream> TMemoryFiles::OpenOutput(const std::string& path)
{
    if (!Covers(path))
        return SystemFiles().OpenOutput(path);
    return std::make_unique<TMemoryOutput>(*this, path);
}

bool TMemoryFiles::SameFile(const std::string& a, const std::string& b)
{
    if (!Covers(a) && !Covers(b))
        return SystemFiles().SameFile(a, b);
    return a == b && Find(a) != nullptr;
}

bool TMemoryFiles::CanOpenForReading(const std::string& path)
{
    return Covers(path) ? Find(path) != nullptr : SystemFiles().CanOpenForReading(path);
}

bool TMemoryFiles::CreateEmpty(const std::string& path)
{
    if (!Covers(path))
        return SystemFiles().CreateEmpty(path);
    Stored[path].clear();
    return true;
}
