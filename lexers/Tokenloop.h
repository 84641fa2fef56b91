// Tokenloop: a language's lexer made final, so that its loop reaches the scanners directly.
#pragma once

#include "lexers/Tokendispatch.h"
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
    TTokenLoop(TTextReader& source, const std::string& code) : TLexer(source, code)
    {
        using TWordLookup = TTokenReaderCommon::TWordLookup;
        if constexpr (TLexer::WordLookup != TWordLookup::Separate)
            this->MergeWordLists(TLexer::WordLookup == TWordLookup::AsListed);
    }

    const TTokenReader::TLookup* DeferLookups() override
    {
        return TLexer::DefersLookups ? TLexer::DeferLookups() : nullptr;
    }

    const TToken* NextToken() override { return this->ReadToken(*this); }
    std::vector<const TTokenReader::TRun*> Runs() const override
    {
        return TTokenReaderCommon::RunsWith<TTokenLoop>();
    }
    bool ReadTokens(TTokenBatch& batch) override { return this->ReadTokensWith(*this, batch); }

private:
    friend class TTokenReader;
    friend class TTokenReaderCommon;

    // Hides the reader's step, which calls the virtual ClassifyChar. Current.Text is not kept.
    void ClassifyStep()
    {
        this->MarkStale(this->Context.Current.Text);
        this->ClassifyWith(*this);
    }
};
