// Textreader: loads the file on the first read and decodes it a slice of lines at a time.
#include "core/Textreader.h"

#include "core/Linesplitter.h"
#include "core/Pipe.h"
#include "platform/Codepage.h"
#include "platform/Files.h"

#include <system_error>
#include <thread>

// The slices go round between the decoding thread and ReadChar, a few of them at a time.
struct TTextReader::TAhead {
    TPipe<TSlice> Slices{4};
    std::thread Decoder;
};

TTextReader::TTextReader(std::string fileName) : FileName(std::move(fileName)) {}

TTextReader::~TTextReader() { Close(); }

void TTextReader::Close()
{
    StopDecoder();
    std::string().swap(Bytes);
    Text = {};
    Own.Chars.reset();
    Pos = End = nullptr;
    Active = false;
}

void TTextReader::StopDecoder()
{
    if (!Ahead)
        return;
    Ahead->Slices.Abandon();
    Ahead->Decoder.join();
    Ahead.reset();
    Reading = nullptr;
}

// Past the decoded characters: the next slice, or the end mark.
char16_t TTextReader::ReadCharSlow()
{
    if (!Active)
        return EndMark;
    if (!Load() || !Fill()) {
        Active = false; // exhausted: every later call ends here too
        return EndMark;
    }
    return *Pos++;
}

bool TTextReader::Load()
{
    if (Loaded)
        return Active;
    Loaded = true;
    if (!Platform::IsFile(FileName)) {
        Active = false;
        return false;
    }
    Bytes = Platform::Files().ReadAll(FileName);
    TextEncoding = TTextEncoding::Detect(Bytes);
    DecodeLine = TextEncoding.LineDecoder();
    std::string converted;
    std::string_view kept = TextEncoding.Unwrap(Bytes, converted);
    if (TextEncoding.IsUtf16()) {
        Bytes.swap(converted);
        kept = Bytes;
    }
    Text = TLineSplitter(kept).Text();
    return true;
}

const TTextEncoding& TTextReader::Encoding()
{
    if (Active)
        Load();
    return TextEncoding;
}

bool TTextReader::Fill()
{
    TSlice* slice = &Own;
    if (Ahead) {
        if (Reading)
            Ahead->Slices.Give(Reading);
        Reading = Ahead->Slices.Take();
        slice = Reading;
    } else if (!Decode(Own)) {
        slice = nullptr;
    }
    if (slice == nullptr)
        return false;
    Pos = slice->Chars.get();
    End = Pos + slice->Length;
    return true;
}

void TTextReader::DecodeAhead()
{
    if (!Loaded || Ahead)
        return;
    Ahead = std::make_unique<TAhead>();
    // The decoder alone moves Offset from here on; it stops when the text is used up or
    // when Close abandons the pipe. Where no thread can be started, ReadChar decodes as before.
    try {
        TPipe<TSlice>& slices = Ahead->Slices;
        Ahead->Decoder = std::thread([this, &slices] {
            try {
                while (TSlice* slice = slices.Acquire()) {
                    if (!Decode(*slice))
                        break;
                    slices.Hand(slice);
                }
                slices.Close();
            } catch (...) {
                slices.Close(std::current_exception()); // out of memory: ReadChar rethrows it
            }
        });
    } catch (const std::system_error&) {
        Ahead.reset();
    }
}

bool TTextReader::Decode(TSlice& slice)
{
    if (Offset >= Text.size())
        return false;
    if (!slice.Chars)
        slice.Chars = std::make_unique_for_overwrite<char16_t[]>(Slice + 2);
    // Whole lines while they fit, then part of the next one: at most Slice + 1 characters from
    // the bytes and a line break. A line cut here goes on in the next slice.
    char16_t* const first = slice.Chars.get();
    char16_t* const limit = first + Slice;
    char16_t* dest = first;
    while (dest < limit && Offset < Text.size()) {
        const CodePage::TDecoded line =
            DecodeLine(Text.substr(Offset), dest, static_cast<size_t>(limit - dest));
        dest = line.End;
        Offset += line.Used;
        if (Offset < Text.size() && (Text[Offset] == '\r' || Text[Offset] == '\n')) {
            Offset += TLineSplitter::LineEndLength(Text, Offset);
            *dest++ = LineBreak;
        } else if (Offset == Text.size()) {
            *dest++ = LineBreak; // the last line has no line end of its own
        }
    }
    slice.Length = static_cast<size_t>(dest - first);
    return true;
}
