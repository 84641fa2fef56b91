// Codes: prints the benchmark's families, one a line: every code of the language table, then the
// plain one, each with its first caption in the window's list.
#include "lexers/Languagetable.h"

#include <cstdio>
#include <string>

namespace {

const char* CaptionOf(const char* code)
{
    for (const Languages::TCaption& caption : Languages::Captions)
        if (std::string(caption.Code) == code)
            return caption.Caption;
    return "";
}

} // namespace

int main()
{
    for (const Languages::TCode& row : Languages::Codes())
        std::printf("%s %s\n", row.Code, CaptionOf(row.Code));
    std::printf("%s %s\n", Languages::PlainCode, CaptionOf(Languages::PlainCode));
    return 0;
}
