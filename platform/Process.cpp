// Process: the parts of the start-up knowledge shared by every system.
#include "platform/Process.h"

#include <cstdint>

namespace Platform {

std::string InstanceNameOf(std::string_view key)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (char ch : key) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ull;
    }
    std::string name = "corvina-";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += "0123456789abcdef"[(hash >> shift) & 0xF];
    return name;
}

} // namespace Platform
