// Finallexer: a language's lexer made final, so that its loop reaches the scanners directly.
#pragma once

#include "lexers/Tokendispatch.h"
#include "lexers/Tokenreadercommon.h"

#include <type_traits>

// The lexer the factory makes for a language: TLexer with nothing overridden but the loop. As the
// class is final, the dispatch tables instantiated for it call TLexer's start tests and scanners
// without a virtual call, and runs of strings and comments that TLexer's own scanners allow are
// taken whole. Debug builds still classify every character of a run, one at a time, and check
// that it merges as the run says; TLexer itself, reached virtually, is the reference the tests
// compare this class with.
template <class TLexer>
class TFinalLexer final : public TLexer {
    static_assert(std::is_base_of_v<TTokenReaderCommon, TLexer>);

public:
    TFinalLexer(TTextReader& source, const std::string& code) : TLexer(source, code)
    {
        using TWordForm = TTokenReaderCommon::TWordForm;
        if constexpr (TLexer::LookupWordForm != TWordForm::Separate)
            this->MergeWordLists(TLexer::LookupWordForm == TWordForm::AsListed);
    }

    const TDeferredLookup* DeferLookups() override
    {
        return TLexer::DefersLookups ? TLexer::DeferLookups() : nullptr;
    }

    const TToken* NextToken() override { return this->ReadToken(*this); }
    std::vector<const TTokenReader::TRun*> Runs() const override
    {
        return TTokenReaderCommon::RunsWith<TFinalLexer>();
    }
    bool ReadTokens(TTokenBatch& batch) override { return this->ReadTokensWith(*this, batch); }

private:
    friend class TTokenReader;
    friend class TTokenReaderCommon;

    // The step without the reference's bookkeeping: Current.Text is not kept, and the run of
    // the state is taken up. Called through the final class, it is no virtual call.
    void ClassifyChar() override
    {
        this->MarkStale(this->Context.Current.Text);
        this->Dispatch(*this);
    }
};
