// Testutil: temporary folders and files for the tests.
#include "Testutil.h"

#include "Testsystem.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace TestUtil {

TTempDir::TTempDir()
{
    // A random name, taken only when the folder did not exist yet.
    static std::mt19937_64 random{std::random_device{}()};
    fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path folder = base / ("corvina-test-" + std::to_string(random() % 1000000000));
        std::error_code ec;
        if (fs::create_directory(folder, ec)) {
            Folder = PathText(folder);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + PathText(base));
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    fs::permissions(FsPath(Folder), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FsPath(Folder), ec);
}

TProgramFolder::TProgramFolder(const std::string& from)
{
    if (!from.empty())
        for (const auto& entry : fs::directory_iterator(from))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), FsPath(Path()) / entry.path().filename());
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

fs::path FsPath(const std::string& path)
{
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string PathText(const fs::path& path)
{
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(FsPath(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(FsPath(path), ec);
}

std::string CopyProgram(const TTempDir& folder)
{
    fs::path exe = CORVINA_EXE;
    std::string copy = folder.File(PathText(exe.filename()));
    fs::copy_file(exe, FsPath(copy));
    return copy;
}

int RunCorvina(const std::vector<std::string>& args, std::string* errText, const std::string& exe)
{
    TTempDir tmp;
    std::string errFile = tmp.File("stderr.txt");
    int status = TChild(exe, args, errFile).Wait();
    if (errText != nullptr)
        *errText = FromErrorStream(ReadBytes(errFile));
    return status;
}

} // namespace TestUtil
