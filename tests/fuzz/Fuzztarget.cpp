// Fuzztarget: the libFuzzer entry; any broken check aborts with its description.
#include "Fuzzcheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string failure = FuzzCheck::Run(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "corvina fuzz check failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
