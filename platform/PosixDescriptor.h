// PosixDescriptor: an open file descriptor with one owner, which closes it; only the Posix units
// of the platform layer include this.
#pragma once

namespace Platform::Posix {

// Owns a file descriptor, or none (-1), and closes it when it goes. That close keeps errno as
// it was: the error to report is the one of the call that failed, not the one of cleaning up.
// Where a failed close must be reported (a written file, whose data the close may fail to
// store), the owner closes by Close and reports what it returns.
class TDescriptor {
public:
    TDescriptor() = default;
    // Takes fd over; -1 (a failed open) holds none.
    explicit TDescriptor(int fd) : Fd(fd) {}
    ~TDescriptor();
    TDescriptor(TDescriptor&& other) noexcept : Fd(other.Release()) {}
    // Closes the descriptor held before, as the destructor does, and takes other's.
    TDescriptor& operator=(TDescriptor&& other) noexcept;
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    explicit operator bool() const { return Fd >= 0; }
    int Get() const { return Fd; }
    // Gives the descriptor up unclosed; none is held afterwards.
    int Release();
    // Closes the descriptor now: 0, or the errno of the failed close (0 when none was held).
    // None is held afterwards, failed or not, as close releases the descriptor either way.
    int Close();

private:
    int Fd = -1;
};

} // namespace Platform::Posix
