// Languagetable: the language codes with the lexer each selects, and the window's captions.
//
// A new language is four things, and every test that goes over the languages reads this table,
// so a forgotten one fails a test:
// 1. its lexer pair, lexers/Tokenreader<name>.h and .cpp (listed in cmake/Coresources.cmake): a
//    subclass of TTokenReaderCommon, or of TTokenReaderCase or TTokenReaderNoCase, that
//    overrides the start tests and scanners in which the language differs, by the protocol at
//    the top of Tokenreadercommon.h (a run of a scanner is held to it by
//    TTokenReaderRuns.EveryRunHoldsForItsScanner);
// 2. its row in CodeTable (Languagetable.cpp), and its caption in Captions below;
// 3. its five word lists in data/: <code>.key, .sp1, .sp2, .sp3 and .ope;
// 4. its golden sample tests/golden/<code>/Sample.<ext>, with the .tokens and .html that
//    scripts/update-golden.sh writes beside it.
// Then the READMEs, which list the codes for their readers.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

class TTextReader;
class TTokenReader;

namespace Languages {

// One language code and the lexer it selects.
struct TCode {
    const char* Code;
    std::unique_ptr<TTokenReader> (*Make)(TTextReader& source, const std::string& code);
    // The same lexer reaching every start test and scanner virtually and looking words up list
    // by list: the reference the lexer Make gives is checked against.
    std::unique_ptr<TTokenReader> (*MakeReference)(TTextReader& source, const std::string& code);
};
// Every code the factory knows, in the factory's order; any other code gets the plain reader.
std::span<const TCode> Codes();

// The code the window uses for plain text; it names no lexer.
inline constexpr const char* PlainCode = "txt";

// The window's language list: caption and code, in list order.
struct TCaption {
    const char* Caption; // UTF-8
    const char* Code;
};
inline constexpr TCaption Captions[] = {
    {"C++Builder", "bcb"},
    {"Delphi", "del"},
    {"Java", "java"},
    {"JavaScript", "js"},
    {"PL/SQL", "psq"},
    {"T-SQL", "tsq"},
    {"Visual Basic .NET 2003", "vb7"},
    {"Visual Basic 6.0", "vb6"},
    {"Visual C# .NET 2003", "cs7"},
    {"Visual C++ .NET 2003", "vc7"},
    {"Visual C++ 6.0", "vc6"},
    {"Visual J# .NET 2003", "java"},
    {"Visual J++ 6.0", "java"},
    {"その他", PlainCode},
};

// The code of a caption, compared exactly; PlainCode for any other text.
std::string CodeOfCaption(std::string_view caption);

} // namespace Languages
