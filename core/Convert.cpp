// Convert: pulls tokens from the lexer and pushes them to the token writer.
#include "core/Convert.h"

#include "core/Pipe.h"
#include "core/Token.h"
#include "core/Tokenbatch.h"
#include "lexers/Tokenreader.h"
#include "output/Tokenwriter.h"

#include <cstdint>
#include <system_error>
#include <thread>

void TConvert::Copy(TTextReader& reader, TTextWriter& writer)
{
    for (char16_t ch = reader.ReadChar(); ch != EndMark; ch = reader.ReadChar())
        writer.WriteChar(ch);
}

size_t TConvert::DefaultPipelineBytes()
{
    // 0 means the count is unknown: threads are worth trying then.
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 1 ? SIZE_MAX : PipelineBytes;
}

void TConvert::Convert(TTextReader& reader, TTextWriter& writer, const std::string& code)
{
    std::unique_ptr<TTokenReader> tokenReader = CreateTokenReader(reader, code);
    TTokenWriter tokenWriter(writer, Styles);
    // The lexer has read its first character, so the reader knows how much is left.
    if (reader.UndecodedBytes() >= MinPipelineBytes) {
        reader.DecodeAhead();
        WriteThroughPipe(*tokenReader, tokenWriter);
    } else
        WriteInTurn(*tokenReader, tokenWriter);
    tokenReader.reset(); // the lexer first, then the token writer
}

namespace {

// Writes tokens, looking up first those the lexer left unlooked-up.
struct TDeferredWriter {
    TTokenWriter& Writer;
    const TDeferredLookup* Lookup;
    // The kind of the token before, as the lexer's own lookups see it: none yet is "other".
    TName Before = TokenKind::Other;

    void Write(std::u16string_view text, TName kind, bool lookup)
    {
        if (lookup)
            kind = Lookup->KindOf(kind, text, Before);
        Writer.Write(text, kind);
        Before = kind;
    }
};

} // namespace

void TConvert::WriteInTurn(TTokenReader& tokenReader, TTokenWriter& tokenWriter,
                           const TDeferredLookup* lookup)
{
    // Without lookup no token comes marked, so Lookup is never asked.
    TDeferredWriter deferred{tokenWriter, lookup};
    while (const TToken* token = tokenReader.NextToken())
        deferred.Write(token->Text, token->Kind, token->LookupDeferred);
}

void TConvert::WriteThroughPipe(TTokenReader& tokenReader, TTokenWriter& tokenWriter)
{
    TPipe<TTokenBatch> pipe(4);
    // The word lookups are left to the writing thread, which has less to do. The lexer has
    // ended no token yet.
    const TDeferredLookup* lookup = tokenReader.DeferLookups();
    std::thread lexer;
    try {
        lexer = std::thread([&pipe, &tokenReader] {
            try {
                while (TTokenBatch* batch = pipe.Acquire()) {
                    batch->Clear();
                    const bool more = tokenReader.ReadTokens(*batch);
                    pipe.Hand(batch);
                    if (!more)
                        break;
                }
                pipe.Close();
            } catch (...) {
                pipe.Close(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: the same tokens, lexed and written in turn.
        WriteInTurn(tokenReader, tokenWriter, lookup);
        return;
    }
    // However the writing ends, the lexer is stopped and waited for before anything goes.
    struct TJoin {
        TPipe<TTokenBatch>& Pipe;
        std::thread& Lexer;
        ~TJoin()
        {
            Pipe.Abandon();
            Lexer.join();
        }
    } join{pipe, lexer};
    TDeferredWriter deferred{tokenWriter, lookup};
    while (TTokenBatch* batch = pipe.Take()) {
        for (size_t i = 0; i < batch->Count(); ++i)
            deferred.Write(batch->Text(i), batch->Kind(i), batch->LookupDeferred(i));
        pipe.Give(batch);
    }
}
