// Convert: pulls tokens from the lexer and pushes them to the token writer.
#include "core/Convert.h"

#include "core/Pipe.h"
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

void TConvert::WriteInTurn(TTokenReader& tokenReader, TTokenWriter& tokenWriter)
{
    while (const TToken* token = tokenReader.NextToken())
        tokenWriter.WriteToken(*token);
}

void TConvert::WriteThroughPipe(TTokenReader& tokenReader, TTokenWriter& tokenWriter)
{
    TPipe<TTokenBatch> pipe(4);
    std::thread lexer;
    try {
        lexer = std::thread([&pipe, &tokenReader] {
            try {
                while (TTokenBatch* batch = pipe.Acquire()) {
                    batch->Clear();
                    const TToken* token = nullptr;
                    while (!batch->Full() && (token = tokenReader.NextToken()) != nullptr)
                        batch->Add(token->Text, token->Kind);
                    pipe.Hand(batch);
                    if (token == nullptr)
                        break;
                }
                pipe.Close();
            } catch (...) {
                pipe.Close(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: the same tokens, lexed and written in turn.
        WriteInTurn(tokenReader, tokenWriter);
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
    while (TTokenBatch* batch = pipe.Take()) {
        for (size_t i = 0; i < batch->Count(); ++i)
            tokenWriter.Write(batch->Text(i), batch->Kind(i));
        pipe.Give(batch);
    }
}
