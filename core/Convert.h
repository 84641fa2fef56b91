// Convert: the driver of one run: copies templates and converts the source token by token.
//
// Threads. A run starts on the thread that called Convert (the window's or the batch's), and
// for a source of MinPipelineBytes or more, where threads can be had, two more help it:
// - the calling thread writes: it owns the token writer, the text writer and the output file,
//   and looks up the identifiers the lexer deferred (TDeferredLookup), in WriteThroughPipe;
// - the lexer thread owns the lexer (its context, state and runs) and fills batches of tokens
//   (TTokenBatch); it reads the source only through the reader's ReadChar, Unread and Skip;
// - the decoder thread, started by TTextReader::DecodeAhead, owns the reader's offset into the
//   file's bytes and decodes slices of lines ahead of the lexer.
// Each pair meets at one hand-over point, a TPipe (core/Pipe.h) of a few items going round:
// slices from the decoder to the lexer, batches from the lexer to the writer. An item belongs
// to one side at a time, and a pipe is the only thing two threads write. Shared read-only while
// the threads run: the file's bytes, the word lists behind the deferred lookup (merged when
// the lexer is made, aligned apart from the lexer's own memory), the display styles and the
// code page tables. Every thread is joined before what it uses goes: the lexer thread at the
// end of WriteThroughPipe, also when writing fails (TJoin abandons the pipe first); the decoder
// thread by TTextReader::Close or its destructor. An exception on a helper thread is handed
// through its pipe and thrown again on the thread that takes from it. Where no thread can be
// started, the same work is done in turn on the calling thread, with the same output.
// Apart from these, on POSIX systems the check of the output file may leave a large old file
// being emptied on a thread of its own; the file functions wait for it before touching that
// file again (TBackgroundEmptier, platform/PosixBackgroundemptier.h, used by PosixFiles.cpp).
#pragma once

#include "core/Deferredlookup.h"
#include "core/Textreader.h"
#include "core/Textwriter.h"

#include <cstddef>
#include <string>

class TColorSettingList;
class TTokenReader;
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
                            const TDeferredLookup* lookup = nullptr);
    static void WriteThroughPipe(TTokenReader& tokenReader, TTokenWriter& tokenWriter);
};
