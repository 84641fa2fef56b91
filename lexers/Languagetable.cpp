// Languagetable: the factory's rows: one per code, naming the class it makes.
#include "lexers/Languagetable.h"

#include "lexers/Finallexer.h"
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
    return std::make_unique<T>(source, code);
}

// The row of a code whose lexer is T: its final loop, and T itself as the reference.
template <class T>
constexpr TCode Row(const char* code)
{
    return {code, &Make<TFinalLexer<T>>, &Make<T>};
}

const TCode CodeTable[] = {
    Row<TTokenReaderCSharp>("cs7"), Row<TTokenReaderCase>("vc6"), Row<TTokenReaderCase>("vc7"),
    Row<TTokenReaderCase>("java"),  Row<TTokenReaderCase>("js"),  Row<TTokenReaderCase>("bcb"),
    Row<TTokenReaderVB>("vb6"),     Row<TTokenReaderVB>("vb7"),   Row<TTokenReaderDelphi>("del"),
    Row<TTokenReaderPlsql>("psq"),  Row<TTokenReaderTsql>("tsq"),
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
