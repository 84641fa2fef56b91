// Codes: prints the language codes an input can select with its first byte, one a line, in the
// order of that byte, for scripts/fuzz.sh to make its seeds with.
#include "Fuzzcheck.h"

#include <cstdio>

int main()
{
    for (unsigned i = 0; i < FuzzCheck::CodeCount(); ++i)
        std::printf("%s\n", FuzzCheck::CodeAt(i).c_str());
    return 0;
}
