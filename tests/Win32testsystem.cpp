// Win32testsystem: child processes by CreateProcessW with a command line quoted as
// CommandLineToArgvW reads it.
#include "Testsystem.h"

#include "platform/Codepage.h"

#include <windows.h>

namespace TestUtil {
namespace {

std::wstring Wide(const std::string& utf8)
{
    std::u16string text = CodePage::FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

// One argument as the C runtime and CommandLineToArgvW split it again: quotes around it when
// needed, backslashes doubled only before a quote.
void AppendQuoted(std::wstring& line, const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

HANDLE Inheritable(HANDLE h)
{
    if (h != INVALID_HANDLE_VALUE)
        SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return h;
}

} // namespace

bool IsPosix() { return false; }

TChild::TChild(const std::string& exe, const std::vector<std::string>& args,
               const std::string& errFile)
{
    // The program name takes quotes only: a path holds no quote, and its backslashes stay.
    std::wstring line = L"\"" + Wide(exe) + L"\"";
    for (const std::string& arg : args) {
        line += L' ';
        AppendQuoted(line, Wide(arg));
    }
    HANDLE in = Inheritable(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    HANDLE err = Inheritable(CreateFileW(Wide(errFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = in;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (in != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        CreateProcessW(Wide(exe).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        Id = reinterpret_cast<long long>(process.hProcess);
        Pid = process.dwProcessId;
    }
    if (in != INVALID_HANDLE_VALUE)
        CloseHandle(in);
    if (err != INVALID_HANDLE_VALUE)
        CloseHandle(err);
}

TChild::~TChild() { Wait(); }

int TChild::Wait()
{
    if (Done || Id < 0)
        return Status;
    Done = true;
    HANDLE process = reinterpret_cast<HANDLE>(Id);
    DWORD code = 0;
    if (WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process, &code))
        Status = static_cast<int>(code);
    CloseHandle(process);
    return Status;
}

std::string FromErrorStream(const std::string& bytes)
{
    std::string text = CodePage::ToUtf8(CodePage::Decode(bytes));
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n')
            out += text[i];
    return out;
}

unsigned long long FileIdentity(const std::string& path)
{
    HANDLE h =
        CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok ? (static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow)
              : 0;
}

bool DropSuperuser() { return false; }

} // namespace TestUtil
