// Tokenloop: a language's lexer made final, so that its loop reaches the scanners directly.
#pragma once

#include "lexers/Tokenreadercommon.h"

#include <type_traits>

// The lexer the factory makes for a language: TLexer with nothing overridden but the loop. As the
// class is final, the dispatch tables instantiated for it call TLexer's start tests and scanners
// without a virtual call, and runs of strings and comments that TLexer's own scanners allow are
// taken whole. The virtual ClassifyChar stays the one-character reference: debug builds check
// every character of a run against it.
template <class TLexer>
class TTokenLoop final : public TLexer {
    static_assert(std::is_base_of_v<TTokenReaderCommon, TLexer>);

public:
    using TLexer::TLexer;

    const TToken* NextToken() override { return this->ReadToken(*this); }

private:
    friend class TTokenReader;
    friend class TTokenReaderCommon;

    // Hides the reader's step, which calls the virtual ClassifyChar.
    void ClassifyStep() { this->ClassifyWith(*this); }
};
