// Faultyfiles: the injected faults, shaped as the system's own failures are.
#include "Faultyfiles.h"

#include "platform/Paths.h"

using Platform::TFileReason;
using Platform::FileMessage::CannotCreate;
using Platform::FileMessage::CannotRead;
using Platform::FileMessage::CannotWrite;

namespace {

TFileError DiskFull(const std::string& path)
{
    return Platform::FileError(CannotWrite, path, Platform::ReasonText(TFileReason::DiskFull));
}

// Passes bytes through until the budget is spent; then the inner output is dropped unfinished,
// which must leave it empty, and the write fails.
class TFaultyOutput : public Platform::TOutputStream {
public:
    TFaultyOutput(std::unique_ptr<Platform::TOutputStream> inner, std::string path,
                  long long budget)
        : Inner(std::move(inner)), Path(std::move(path)), Budget(budget)
    {}
    void Write(std::string_view data) override
    {
        if (!Inner)
            throw DiskFull(Path);
        if (Budget >= 0 && static_cast<unsigned long long>(Budget) < data.size()) {
            Inner->Write(data.substr(0, static_cast<size_t>(Budget)));
            Inner.reset();
            throw DiskFull(Path);
        }
        Inner->Write(data);
        if (Budget >= 0)
            Budget -= static_cast<long long>(data.size());
    }
    void Finish() override
    {
        if (Inner)
            Inner->Finish();
    }

private:
    std::unique_ptr<Platform::TOutputStream> Inner;
    std::string Path;
    long long Budget;
};

} // namespace

TFaultyFiles::TFaultyFiles(Platform::TFileSystem& inner) : Inner(inner) {}

void TFaultyFiles::FailNextWrite(long long bytes, const std::string& path)
{
    WriteBudget = bytes;
    WritePath = path;
}

void TFaultyFiles::ClearWriteFault() { FailNextWrite(-1); }

void TFaultyFiles::FailReads(const std::string& path) { ReadPath = path; }

void TFaultyFiles::DenyWritesIn(const std::string& folder) { DeniedFolder = folder; }

void TFaultyFiles::CheckAllowed(const std::string& path) const
{
    if (!DeniedFolder.empty() && Platform::ExtractFileDir(path) == DeniedFolder)
        throw Platform::FileError(CannotCreate, path,
                                  Platform::ReasonText(TFileReason::AccessDenied));
}

bool TFaultyFiles::CanReplace(const std::string& path)
{
    return (DeniedFolder.empty() || Platform::ExtractFileDir(path) != DeniedFolder) &&
           Inner.CanReplace(path);
}

long long TFaultyFiles::TakeWriteFault(const std::string& path)
{
    if (WriteBudget < 0 || (!WritePath.empty() && WritePath != path))
        return -1;
    long long bytes = WriteBudget;
    ClearWriteFault();
    return bytes;
}

std::string TFaultyFiles::ReadAll(const std::string& path)
{
    if (!ReadPath.empty() && path == ReadPath)
        throw Platform::FileError(CannotRead, path, Platform::ReasonText(TFileReason::InputOutput));
    return Inner.ReadAll(path);
}

void TFaultyFiles::WriteAll(const std::string& path, std::string_view bytes)
{
    CheckAllowed(path);
    long long budget = TakeWriteFault(path);
    if (budget < 0 || static_cast<unsigned long long>(budget) >= bytes.size())
        return Inner.WriteAll(path, bytes);
    TFaultyOutput(Inner.OpenOutput(path), path, budget).Write(bytes);
}

void TFaultyFiles::ReplaceWhole(const std::string& path, std::string_view bytes)
{
    CheckAllowed(path);
    long long budget = TakeWriteFault(path);
    if (budget >= 0 && static_cast<unsigned long long>(budget) < bytes.size())
        throw DiskFull(path);
    Inner.Replace(path, bytes);
}

std::unique_ptr<Platform::TOutputStream> TFaultyFiles::OpenOutput(const std::string& path)
{
    std::unique_ptr<Platform::TOutputStream> inner = Inner.OpenOutput(path);
    long long budget = TakeWriteFault(path);
    if (budget < 0)
        return inner;
    return std::make_unique<TFaultyOutput>(std::move(inner), path, budget);
}
