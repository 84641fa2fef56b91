// Textreader: loads the file on the first read and decodes it a slice of lines at a time.
#include "core/Textreader.h"

#include "core/Linesplitter.h"
#include "platform/Codepage.h"
#include "platform/Files.h"

TTextReader::TTextReader(std::string fileName) : FileName(std::move(fileName)) {}

TTextReader::~TTextReader() { Close(); }

void TTextReader::Close()
{
    std::string().swap(Bytes);
    Text = {};
    Buffer.reset();
    Pos = End = nullptr;
    Active = false;
}

// Past the decoded characters: the next slice, or the end mark.
char16_t TTextReader::ReadCharSlow()
{
    if (!Active)
        return EndMark;
    if (!Loaded) {
        Loaded = true;
        if (!Platform::IsFile(FileName)) {
            Active = false;
            return EndMark;
        }
        Bytes = Platform::Files().ReadAll(FileName);
        Text = TLineSplitter(Bytes).Text();
    }
    if (!Fill()) {
        Active = false; // exhausted: every later call ends here too
        return EndMark;
    }
    return *Pos++;
}

bool TTextReader::Fill()
{
    if (Offset >= Text.size())
        return false;
    if (!Buffer)
        Buffer = std::make_unique_for_overwrite<char16_t[]>(Slice + 2);
    // Whole lines while they fit, then part of the next one: at most Slice + 1 characters from
    // the bytes and a line break. A line cut here goes on in the next slice.
    char16_t* dest = Buffer.get();
    char16_t* const limit = dest + Slice;
    while (dest < limit && Offset < Text.size()) {
        const CodePage::TDecoded line = CodePage::DecodeLineTo(
            Text.substr(Offset), dest, static_cast<size_t>(limit - dest));
        dest = line.End;
        Offset += line.Used;
        if (Offset < Text.size() && (Text[Offset] == '\r' || Text[Offset] == '\n')) {
            Offset += TLineSplitter::LineEndLength(Text, Offset);
            *dest++ = LineBreak;
        } else if (Offset == Text.size()) {
            *dest++ = LineBreak; // the last line has no line end of its own
        }
    }
    Pos = Buffer.get();
    End = dest;
    return true;
}
