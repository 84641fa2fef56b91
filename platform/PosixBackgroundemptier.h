// PosixBackgroundemptier: empties a large file on a thread of its own, and makes whatever uses
// that file next wait for it; only the Posix units of the platform layer include this.
#pragma once

#include "platform/PosixDescriptor.h"

#include <atomic>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace Platform::Posix {

// Emptying a large file frees its blocks, which takes milliseconds (about 5 for 32 MB on ext4).
// The check that empties an output ahead (CreateEmpty) hands such a file to Start and goes on.
// Whatever reads, writes or replaces a file calls WaitFor first, so that the program never sees
// the old contents; an output may ask Busy and hold its bytes back meanwhile instead. One file
// at a time: Start, and the destructor, wait for the emptying before.
class TBackgroundEmptier {
public:
    TBackgroundEmptier() = default;
    ~TBackgroundEmptier();
    TBackgroundEmptier(const TBackgroundEmptier&) = delete;
    TBackgroundEmptier& operator=(const TBackgroundEmptier&) = delete;

    // Empties and closes file, the regular file st describes, on a thread; on this one when no
    // thread starts.
    void Start(TDescriptor file, const struct stat& st);
    // Waits for the emptying of path's file, if one is under way.
    void WaitFor(const std::string& path);
    // Whether path's file is being emptied still.
    bool Busy(const std::string& path);

private:
    std::mutex Lock;
    std::thread Worker;
    // The file being emptied: the worker's alone until it is joined.
    TDescriptor File;
    std::atomic<bool> Done{true};
    dev_t Device = 0;
    ino_t Inode = 0;

    // Whether an emptying was started for path's file. Lock held.
    bool Covers(const std::string& path) const;
    // Lock held.
    void Join();
    static void EmptyAndClose(TDescriptor& file);
};

} // namespace Platform::Posix
