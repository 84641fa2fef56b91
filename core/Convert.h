// Convert: the driver of one run: copies templates and converts the source token by token.
#pragma once

#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "lexers/Tokenreader.h"

#include <cstddef>
#include <string>

class TColorSettingList;
class TTokenWriter;

class TConvert {
public:
    // A source of at least pipelineBytes is lexed on a thread of its own while this one writes
    // the tokens; a smaller one is lexed and written in turn.
    explicit TConvert(const TColorSettingList& styles,
                      size_t pipelineBytes = DefaultPipelineBytes())
        : Styles(styles), MinPipelineBytes(pipelineBytes)
    {
    }

    // Every character of reader into writer, unchanged.
    void Copy(TTextReader& reader, TTextWriter& writer);
    // The source through the lexer of code and the HTML token writer.
    void Convert(TTextReader& reader, TTextWriter& writer, const std::string& code);

    const char16_t EndMark = 0;
    // Below this, starting a thread costs more than the overlap saves.
    static constexpr size_t PipelineBytes = 256 * 1024;
    // PipelineBytes where the threads can run side by side; with a single processor, no size.
    static size_t DefaultPipelineBytes();

private:
    const TColorSettingList& Styles;
    const size_t MinPipelineBytes;

    // lookup: what the lexer's deferred lookups are made with, null if it defers none.
    static void WriteInTurn(TTokenReader& tokenReader, TTokenWriter& tokenWriter,
                            const TTokenReader::TLookup* lookup = nullptr);
    static void WriteThroughPipe(TTokenReader& tokenReader, TTokenWriter& tokenWriter);
};
