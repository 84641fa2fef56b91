// Posixtestsystem: child processes by posix_spawn, and the superuser's rights given up.
#include "Testsystem.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace TestUtil {

bool IsPosix() { return true; }

TChild::TChild(const std::string& exe, const std::vector<std::string>& args,
               const std::string& errFile)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(exe.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        Id = pid;
        Pid = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
}

TChild::~TChild() { Wait(); }

int TChild::Wait()
{
    if (Done || Id < 0)
        return Status;
    Done = true;
    int status = 0;
    pid_t result;
    do
        result = ::waitpid(static_cast<pid_t>(Id), &status, 0);
    while (result < 0 && errno == EINTR);
    Status = result >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return Status;
}

std::string FromErrorStream(const std::string& bytes) { return bytes; }

unsigned long long FileIdentity(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<unsigned long long>(st.st_ino) : 0;
}

bool DropSuperuser() { return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0); }

} // namespace TestUtil
