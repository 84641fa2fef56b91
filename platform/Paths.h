// Paths: the program folder and the path rules (separator, folder part).
#pragma once

#include <string>
#include <string_view>

namespace Platform {

// The path separator written by JoinPath: '/' on POSIX, '\\' on Windows.
extern const char PathSeparator;

// The folder of the running executable (UTF-8), unless a test set another one.
std::string ProgramFolder();
// The folder of the running executable (UTF-8), whatever a test set; "." when unknown.
std::string ExecutableFolder();
// Tests only: the program folder from now on; empty restores the executable's folder.
void SetProgramFolder(const std::string& folder);

// folder + separator + name.
std::string JoinPath(std::string_view folder, std::string_view name);
// ProgramFolder() joined with name.
std::string ProgramFile(std::string_view name);
// The folder part of a path, without the trailing separator; empty when there is none. On
// Windows both separators count.
std::string ExtractFileDir(std::string_view path);
// A file name as typed into a box, as the file functions take it. On Windows one pair of double
// quotes around it (a path copied from Explorer) is dropped, as no Windows name holds a double
// quote; a POSIX name may, so there it stays as typed.
std::string TypedFileName(std::string_view typed);

} // namespace Platform
