// Paths: the program folder and the path rules shared by every system.
#include "platform/Paths.h"

namespace Platform {
namespace {

std::string& ProgramFolderOverride()
{
    static std::string folder;
    return folder;
}

// The separators ExtractFileDir cuts at: Windows also takes '/'.
std::string_view Separators() { return PathSeparator == '/' ? "/" : "\\/"; }

} // namespace

std::string ProgramFolder()
{
    const std::string& folder = ProgramFolderOverride();
    return folder.empty() ? ExecutableFolder() : folder;
}

void SetProgramFolder(const std::string& folder) { ProgramFolderOverride() = folder; }

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    path += PathSeparator;
    path += name;
    return path;
}

std::string ProgramFile(std::string_view name) { return JoinPath(ProgramFolder(), name); }

std::string ExtractFileDir(std::string_view path)
{
    size_t separator = path.find_last_of(Separators());
    if (separator == std::string_view::npos)
        return {};
    if (separator == 0)
        return std::string(path.substr(0, 1));
    return std::string(path.substr(0, separator));
}

} // namespace Platform
