// Testutil: temporary folders and files for the tests.
#include "Testutil.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace TestUtil {

TTempDir::TTempDir()
{
    std::string templ = (fs::temp_directory_path() / "corvina-test-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    Folder = templ;
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(Folder, ec);
}

TProgramFolder::TProgramFolder(const std::string& from)
{
    if (!from.empty())
        for (const auto& entry : fs::directory_iterator(from))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), fs::path(Path()) / entry.path().filename());
    Platform::SetProgramFolder(Path());
}

TProgramFolder::~TProgramFolder() { Platform::SetProgramFolder(""); }

TMessageLog::TMessageLog()
    : Previous(Platform::SetMessageBoxHandler(
          [this](const std::string& caption, const std::string& text, Platform::TMessageIcon) {
              Messages.push_back(caption + ": " + text);
          }))
{}

TMessageLog::~TMessageLog() { Platform::SetMessageBoxHandler(std::move(Previous)); }

std::string TMessageLog::All() const
{
    std::string all;
    for (const std::string& message : Messages)
        all += message + "\n";
    return all;
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string CopyProgram(const TTempDir& folder)
{
    std::string exe = folder.File("corvina");
    fs::copy_file(CORVINA_EXE, exe);
    return exe;
}

int RunCorvina(const std::string& args, std::string* errText, const std::string& exe)
{
    TTempDir tmp;
    std::string errFile = tmp.File("stderr.txt");
    std::string command = "'" + exe + "' " + args + " 2>'" + errFile + "' </dev/null";
    int status = std::system(command.c_str());
    if (errText != nullptr)
        *errText = ReadBytes(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace TestUtil
