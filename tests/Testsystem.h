// Testsystem: what the tests need of the system they run on, one unit per system: child
// processes, and whether the system is POSIX (mode bits, symbolic links, a superuser).
#pragma once

#include <string>
#include <vector>

namespace TestUtil {

// True on a POSIX system. Tests of what only POSIX has skip elsewhere, naming their counterpart.
bool IsPosix();

// A program started with arguments passed as they are (no shell in between), an empty stdin
// and its stderr written to a file. Waited for when the object goes.
class TChild {
public:
    TChild(const std::string& exe, const std::vector<std::string>& args,
           const std::string& errFile);
    ~TChild();
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    // Waits for the end; the exit status, or -1 when the program did not end normally (or did
    // not start).
    int Wait();
    // The system's id of the process (to find its windows), or -1 when it did not start.
    long long ProcessId() const { return Pid; }

private:
    long long Id = -1;
    long long Pid = -1;
    int Status = -1;
    bool Done = false;
};

// What a program wrote on its redirected stderr, as UTF-8 with LF line ends: the bytes as they
// are on POSIX; on Windows code page 932 with CR LF.
std::string FromErrorStream(const std::string& bytes);

// Which file path names (after links), the same for as long as that file exists and different
// for a file that replaced it; 0 when there is none.
unsigned long long FileIdentity(const std::string& path);

// POSIX only: gives up the superuser's rights in this process (a child of a death test), so
// that file permissions apply to it; false when that fails.
bool DropSuperuser();

} // namespace TestUtil
