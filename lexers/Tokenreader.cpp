// Tokenreader: window shift, tab expansion, the merge step and the reader factory.
#include "lexers/Tokenreader.h"

#include "lexers/Languagetable.h"
#include "platform/Codepage.h"

#include <cassert>
#include <iterator>

// The plain reader's only run: every character but the end mark and a tab is "other".
constexpr TTokenReader::TRun TTokenReader::PlainRun = [] {
    TRun run{LexState::Other, TokenKind::Other};
    run.Ascii.fill(true);
    run.Ascii[0] = run.Ascii[9] = false;
    run.Wide = true;
    return run;
}();

TTokenReader::TTokenReader(TTextReader& source, const std::string& /*code*/) : Source(source)
{
    Context.NextChar = Source.ReadChar();
    Run = &PlainRun;
}

int TTokenReader::WideCharWidth(char16_t ch) { return CodePage::CharWidth(ch); }

const TToken* TTokenReader::NextToken() { return ReadToken(*this); }

void TTokenReader::TakeRun(const TRun& run)
{
    TTokenContext& c = Context;
    if (!c.HasPending || !(c.State == run.State) || !(c.Pending.Kind == run.Kind))
        return;
    std::u16string& text = c.Pending.Text;
    // The window and the column move exactly as in NextToken; a run holds no tab, and a space
    // is one column wide like any ASCII character.
#ifdef NDEBUG
    // The window is kept in locals and the characters gathered in a block, appended when full.
    char16_t prev = c.PrevChar;
    char16_t cur = c.CurChar;
    char16_t next = c.NextChar;
    int column = DisplayColumn;
    char16_t block[256];
    size_t filled = 0;
    do {
        prev = cur;
        cur = next;
        next = Source.ReadChar();
        column = cur == LineBreak ? 0 : column + CharWidth(cur);
        block[filled++] = cur;
        if (filled == std::size(block)) {
            text.append(block, filled);
            filled = 0;
        }
    } while (run.Continues(next));
    text.append(block, filled);
    c.PrevChar = prev;
    c.CurChar = cur;
    c.NextChar = next;
    DisplayColumn = column;
#else
    do {
        c.PrevChar = c.CurChar;
        c.CurChar = c.NextChar;
        c.NextChar = Source.ReadChar();
        if (c.CurChar == SpaceChar)
            DisplayColumn += 1;
        else if (c.CurChar == LineBreak)
            DisplayColumn = 0;
        else
            DisplayColumn += CharWidth(c.CurChar);
        // The one-character path is the reference: it must merge the character as the run says.
        size_t length = text.size();
        ConsumeChar();
        assert(text.size() == length + 1 && c.State == run.State && !c.Output.Ready);
    } while (run.Continues(c.NextChar));
#endif
    // As classifying the last character would leave them.
    c.Current.Kind = run.Kind;
    SetCurrentText();
}

void TTokenReader::ClassifyChar()
{
    Context.Current.Kind = TokenKind::Other;
    SetCurrentText();
}

void TTokenReader::CompletePending()
{
    // The text buffers are swapped, not copied, so none is reallocated.
    TTokenContext& c = Context;
    c.Output.Kind = c.Pending.Kind;
    std::swap(c.Output.Text, c.Pending.Text);
    c.Output.Ready = true;
    c.Pending.Kind = c.Current.Kind;
    c.Pending.Text.clear();
    if (c.Current.Text.size() == 1)
        c.Pending.Text.push_back(c.Current.Text[0]);
    else
        c.Pending.Text.append(c.Current.Text);
    if (c.CurChar == EndMark)
        c.HasPending = false;
}

std::unique_ptr<TTokenReader> CreateTokenReader(TTextReader& source, const std::string& code)
{
    // Codes compare exactly: "CS7" or " cs7" is plain text.
    for (const Languages::TCode& row : Languages::Codes())
        if (code == row.Code)
            return row.Make(source, code);
    return std::make_unique<TTokenReader>(source, code);
}

std::unique_ptr<TTokenReader> CreateReferenceTokenReader(TTextReader& source,
                                                         const std::string& code)
{
    for (const Languages::TCode& row : Languages::Codes())
        if (code == row.Code)
            return row.MakeReference(source, code);
    return std::make_unique<TTokenReader>(source, code);
}
