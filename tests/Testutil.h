// Testutil: temporary folders, byte files and a program folder for the tests.
#pragma once

#include "core/Stringlist.h"
#include "platform/Codepage.h"
#include "platform/Files.h"
#include "platform/Messagebox.h"
#include "platform/Paths.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace TestUtil {

// A fresh folder, removed with everything in it when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::string& Path() const { return Folder; }
    // name in the folder, joined as the program joins paths.
    std::string File(std::string_view name) const { return Platform::JoinPath(Folder, name); }

private:
    std::string Folder;
};

// A temporary program folder filled from a source folder (the shipped data by default);
// the program folder points there while the object lives.
class TProgramFolder : public TTempDir {
public:
    explicit TProgramFolder(const std::string& from = CORVINA_DATA_DIR);
    ~TProgramFolder();
};

// Records the messages shown while it lives, as "caption: text", instead of showing them; then
// puts the previous handler back.
class TMessageLog {
public:
    TMessageLog();
    ~TMessageLog();
    TMessageLog(const TMessageLog&) = delete;
    TMessageLog& operator=(const TMessageLog&) = delete;
    // Every message, each followed by a line break.
    std::string All() const;

    std::vector<std::string> Messages;

private:
    Platform::TMessageBoxHandler Previous;
};

// A path of the program (UTF-8) for std::filesystem, and back: a plain std::string would be
// taken in the ANSI code page on Windows.
std::filesystem::path FsPath(const std::string& path);
std::string PathText(const std::filesystem::path& path);

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// Code page 932 bytes of a UTF-8 literal, and back.
inline std::string Sjis(std::u16string_view text) { return CodePage::Encode(text); }
inline std::u16string Wide(std::string_view sjis) { return CodePage::Decode(sjis); }
inline std::string Utf8(std::u16string_view text) { return CodePage::ToUtf8(text); }

// The lines of text, split as a file of lines is.
inline TStringList Lines(std::string_view text)
{
    TStringList lines;
    lines.SetText(text);
    return lines;
}

// The built program copied into folder, so that folder is its program folder; returns its path.
std::string CopyProgram(const TTempDir& folder);

// Runs the built corvina with arguments, each passed as it is; stderr goes to errText (UTF-8,
// LF line ends). Returns the exit status.
int RunCorvina(const std::vector<std::string>& args, std::string* errText = nullptr,
               const std::string& exe = CORVINA_EXE);

} // namespace TestUtil
