// Languagetable: the factory's rows: one per code, naming the class it makes.
#include "lexers/Languagetable.h"

#include "lexers/Tokenloop.h"
#include "lexers/Tokenreadercase.h"
#include "lexers/Tokenreadercsharp.h"
#include "lexers/Tokenreaderdelphi.h"
#include "lexers/Tokenreaderplsql.h"
#include "lexers/Tokenreadertsql.h"
#include "lexers/Tokenreadervb.h"

namespace Languages {
namespace {

template <class T>
std::unique_ptr<TTokenReader> Make(TTextReader& source, const std::string& code)
{
    return std::make_unique<TTokenLoop<T>>(source, code);
}

const TCode CodeTable[] = {
    {"cs7", &Make<TTokenReaderCSharp>}, {"vc6", &Make<TTokenReaderCase>},
    {"vc7", &Make<TTokenReaderCase>},   {"java", &Make<TTokenReaderCase>},
    {"js", &Make<TTokenReaderCase>},    {"bcb", &Make<TTokenReaderCase>},
    {"vb6", &Make<TTokenReaderVB>},     {"vb7", &Make<TTokenReaderVB>},
    {"del", &Make<TTokenReaderDelphi>}, {"psq", &Make<TTokenReaderPlsql>},
    {"tsq", &Make<TTokenReaderTsql>},
};

} // namespace

std::span<const TCode> Codes() { return CodeTable; }

std::string CodeOfCaption(std::string_view caption)
{
    for (const TCaption& c : Captions)
        if (caption == c.Caption)
            return c.Code;
    return PlainCode;
}

} // namespace Languages
