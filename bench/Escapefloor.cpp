// Escapefloor: the least any converter of this kind must do, written tightly. It reads the whole
// file with one read() loop, walks it once as code page 932 (a lead byte takes its trail byte
// along, so a 0x5C trail is never taken for a backslash), writes <, >, & and " as &#x..;
// references, ends every line with CR LF (a line ends at CR LF, LF or CR; a last line without a
// line end gets one), stops at the first zero byte, and writes through a 1 MB buffer with write().
//   escape_floor INPUT OUTPUT
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a byte asks of the walk; everything not listed is copied as it is.
enum : unsigned char { Copy, Escape, Cr, Lf, Zero, Lead };

struct TClassTable {
    unsigned char Of[256] = {};
    constexpr TClassTable()
    {
        Of['<'] = Of['>'] = Of['&'] = Of['"'] = Escape;
        Of['\r'] = Cr;
        Of['\n'] = Lf;
        Of[0] = Zero;
        for (int b = 0x81; b <= 0x9F; ++b)
            Of[b] = Lead;
        for (int b = 0xE0; b <= 0xFC; ++b)
            Of[b] = Lead;
    }
};
constexpr TClassTable Class;

constexpr bool IsTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

constexpr size_t BufferSize = 1 << 20;
// The most one input byte can become: "&#x3C;".
constexpr size_t MaxPerByte = 6;

class TOutput {
public:
    explicit TOutput(int fd) : Fd(fd), Buffer(new char[BufferSize]) { At = Buffer.get(); }

    // Room for at least `bytes` more; flushes the buffer when it has less.
    char* Room(char* at, size_t bytes)
    {
        if (static_cast<size_t>(Buffer.get() + BufferSize - at) >= bytes)
            return at;
        At = at;
        Flush();
        return At;
    }
    bool Flush()
    {
        const char* from = Buffer.get();
        while (from < At) {
            ssize_t n = ::write(Fd, from, static_cast<size_t>(At - from));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                Failed = true;
                break;
            }
            from += n;
        }
        At = Buffer.get();
        return !Failed;
    }
    char* Begin() const { return At; }
    void End(char* at) { At = at; }
    bool Failed = false;

private:
    int Fd;
    std::unique_ptr<char[]> Buffer;
    char* At;
};

bool ReadAll(int fd, std::unique_ptr<unsigned char[]>& data, size_t& size)
{
    struct stat st {};
    size_t capacity = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    capacity += 1; // one byte more, so that the end of the file is seen without a second buffer
    data.reset(new unsigned char[capacity]);
    size = 0;
    for (;;) {
        if (size == capacity) {
            std::unique_ptr<unsigned char[]> grown(new unsigned char[capacity * 2]);
            std::memcpy(grown.get(), data.get(), size);
            data = std::move(grown);
            capacity *= 2;
        }
        ssize_t n = ::read(fd, data.get() + size, capacity - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        size += static_cast<size_t>(n);
    }
}

// The walk itself: one pass, one table lookup a byte, runs of ordinary bytes copied at once.
void Convert(const unsigned char* in, const unsigned char* end, TOutput& out)
{
    static const char Hex[] = "0123456789ABCDEF";
    char* at = out.Begin();
    bool lineOpen = false;
    while (in < end) {
        // A slice of input that fits the buffer even if every byte grows to its longest.
        size_t slice = static_cast<size_t>(end - in);
        if (slice > BufferSize / MaxPerByte - 1)
            slice = BufferSize / MaxPerByte - 1;
        at = out.Room(at, slice * MaxPerByte + MaxPerByte);
        const unsigned char* stop = in + slice;
        while (in < stop) {
            const unsigned char* run = in;
            while (in < stop && Class.Of[*in] == Copy)
                ++in;
            std::memcpy(at, run, static_cast<size_t>(in - run));
            at += in - run;
            if (in == stop) {
                lineOpen = true;
                break;
            }
            unsigned char b = *in++;
            switch (Class.Of[b]) {
            case Escape:
                std::memcpy(at, "&#x", 3);
                at[3] = Hex[b >> 4];
                at[4] = Hex[b & 15];
                at[5] = ';';
                at += 6;
                lineOpen = true;
                break;
            case Cr:
                if (in < end && *in == '\n')
                    ++in;
                [[fallthrough]];
            case Lf:
                at[0] = '\r';
                at[1] = '\n';
                at += 2;
                lineOpen = false;
                break;
            case Zero:
                end = stop = in - 1;
                lineOpen = in - 1 > run || lineOpen;
                break;
            default: // a lead byte: its trail byte goes along, whatever it would be alone
                *at++ = static_cast<char>(b);
                if (in < end && IsTrail(*in))
                    *at++ = static_cast<char>(*in++);
                lineOpen = true;
                break;
            }
        }
    }
    if (lineOpen) {
        at = out.Room(at, 2);
        at[0] = '\r';
        at[1] = '\n';
        at += 2;
    }
    out.End(at);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: escape_floor INPUT OUTPUT\n");
        return 2;
    }
    int in = ::open(argv[1], O_RDONLY);
    std::unique_ptr<unsigned char[]> data;
    size_t size = 0;
    if (in < 0 || !ReadAll(in, data, size)) {
        std::fprintf(stderr, "escape_floor: %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    ::close(in);
    int fd = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        std::fprintf(stderr, "escape_floor: %s: %s\n", argv[2], std::strerror(errno));
        return 1;
    }
    TOutput out(fd);
    Convert(data.get(), data.get() + size, out);
    bool ok = out.Flush() && ::close(fd) == 0;
    if (!ok)
        std::fprintf(stderr, "escape_floor: %s: %s\n", argv[2], std::strerror(errno));
    return ok ? 0 : 1;
}
