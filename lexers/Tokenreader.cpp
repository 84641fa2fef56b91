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

const TToken* TTokenReader::NextToken() { return ReadToken(*this); }

bool TTokenReader::ReadTokens(TTokenBatch& batch) { return ReadTokensWith(*this, batch); }

[[gnu::always_inline]] inline size_t TTokenReader::ScanRun(const TRun& run, std::u16string_view rest,
                                                          char16_t before, int& column) const
{
    // ASCII characters by the table alone, one column each; a wide one by its width.
    size_t taken = 0;
    int wide = 0; // the columns beyond one that wide characters take
    for (;;) {
        while (taken < rest.size() && rest[taken] < 128 && run.Ascii[rest[taken]])
            ++taken;
        if (taken == rest.size() || rest[taken] < 128 || !run.Wide)
            break;
        wide += WideCharWidth(rest[taken], taken > 0 ? rest[taken - 1] : before) - 1;
        ++taken;
    }
    // A line break in the run starts the column again after it.
    if (run.Ascii[LineBreak]) {
        size_t from = taken;
        while (from > 0 && rest[from - 1] != LineBreak)
            --from;
        if (from > 0) {
            column = 0;
            for (size_t i = from; i < taken; ++i)
                column += CharWidth(rest[i], rest[i - 1]);
            return taken;
        }
    }
    column += static_cast<int>(taken) + wide;
    return taken;
}

void TTokenReader::TakeRun(const TRun& run)
{
    TTokenContext& c = Context;
    if (!c.HasPending || !(c.State == run.State) || !(c.Pending.Kind == run.Kind))
        return;
    std::u16string& text = c.Pending.Text;
    // The window and the column move exactly as in NextToken. A tab is the spaces up to the next
    // tab stop, so it continues any run that a space continues; every other character of a run
    // is one column wide or as wide as the code page writes it.
    const bool tabs = run.Continues(SpaceChar);
#ifdef NDEBUG
    // The window is kept in locals, and the characters the reader has decoded are taken
    // straight from its buffer as far as they continue.
    char16_t prev = c.PrevChar;
    char16_t cur = c.CurChar;
    char16_t next = c.NextChar;
    int column = DisplayColumn;
    do {
        prev = cur;
        if (next == TabChar) {
            cur = SpaceChar;
            const int spaces = TabWidth(column);
            text.append(static_cast<size_t>(spaces), SpaceChar);
            column += spaces;
        } else {
            cur = next;
            column = cur == LineBreak ? 0 : column + CharWidth(cur, prev);
            text.push_back(cur);
        }
        const std::u16string_view rest = Source.Unread();
        const size_t taken = ScanRun(run, rest, cur, column);
        if (taken > 0) {
            text.append(rest.data(), taken);
            prev = taken >= 2 ? rest[taken - 2] : cur;
            cur = rest[taken - 1];
            Source.Skip(taken);
        }
        next = Source.ReadChar();
    } while (run.Continues(next) || (tabs && next == TabChar));
    c.PrevChar = prev;
    c.CurChar = cur;
    c.NextChar = next;
    DisplayColumn = column;
#else
    do {
        c.PrevChar = c.CurChar;
        c.CurChar = c.NextChar;
        c.NextChar = Source.ReadChar();
        // The one-character path is the reference: it must merge each character as the run says.
        const size_t length = text.size();
        size_t added = 1;
        if (c.CurChar == TabChar) {
            c.CurChar = SpaceChar;
            added = static_cast<size_t>(TabWidth(DisplayColumn));
            for (size_t i = 0; i < added; ++i) {
                ConsumeChar();
                DisplayColumn += 1;
            }
        } else {
            if (c.CurChar == LineBreak)
                DisplayColumn = 0;
            else
                DisplayColumn += CharWidth(c.CurChar, c.PrevChar);
            ConsumeChar();
        }
        assert(text.size() == length + added && c.State == run.State && !c.Output.Ready);
    } while (run.Continues(c.NextChar) || (tabs && c.NextChar == TabChar));
    Run = &run; // as the fast path leaves it, whatever the reference's dispatch set
#endif
    // As classifying the last character would leave it.
    c.Current.Kind = run.Kind;
}

bool TTokenReader::TakeTabRest()
{
    TTokenContext& c = Context;
    if (Run == nullptr || !Run->Continues(SpaceChar) || !c.HasPending || !(c.State == Run->State) ||
        !(c.Pending.Kind == Run->Kind))
        return false;
    const TRun& run = *Run;
    const int spaces = TabWidth(DisplayColumn);
#ifdef NDEBUG
    c.Pending.Text.append(static_cast<size_t>(spaces), SpaceChar);
    DisplayColumn += spaces;
#else
    // The reference: each space classified, and merged as the run says. The reference's
    // dispatch sets Run as a lexer without runs of its own would; it is put back after.
    const size_t length = c.Pending.Text.size();
    const bool ready = c.Output.Ready; // the tab's first space may have completed a token
    for (int i = 0; i < spaces; ++i) {
        ConsumeChar();
        DisplayColumn += 1;
    }
    assert(c.Pending.Text.size() == length + static_cast<size_t>(spaces) &&
           c.State == run.State && c.Output.Ready == ready);
    Run = &run;
#endif
    c.Current.Kind = run.Kind;
    return true;
}

void TTokenReader::ClassifyChar()
{
    Context.Current.Kind = TokenKind::Other;
    SetCurrentText();
    TellWatch(Context.State);
}

void TTokenReader::CompletePending()
{
    TTokenContext& c = Context;
    c.Output.Kind = c.Pending.Kind;
    if (Sink != nullptr) {
        // Straight into the batch; Output keeps the kind, the one thing the lexer reads of it,
        // and is ready only when the batch is full, to end ReadToken.
        Sink->Add(c.Pending.Text, c.Pending.Kind, c.Pending.LookupDeferred);
        c.Output.Ready = Sink->Full();
        MarkStale(c.Output.Text);
#ifndef NDEBUG
        // The writing thread has yet to look it up: only "not other, not an operator" is known.
        if (c.Pending.LookupDeferred)
            c.Output.Kind = StaleKind;
#endif
    } else {
        // The text buffers are swapped, not copied, so none is reallocated.
        std::swap(c.Output.Text, c.Pending.Text);
        c.Output.Ready = true;
        c.Output.LookupDeferred = c.Pending.LookupDeferred;
    }
    c.Pending.LookupDeferred = false;
    c.Pending.Kind = c.Current.Kind;
    c.Pending.Text.clear();
    c.Pending.Text.push_back(c.CurChar); // Current's text
    if (c.CurChar == EndMark)
        c.HasPending = false;
}

void TTokenReader::LookupPending(const TDeferredLookup& lookup)
{
    TToken& pending = Context.Pending;
    std::u16string_view text = pending.Text;
    pending.Kind = lookup.KindOf(pending.Kind, text, Context.Output.Kind);
    if (text.data() != pending.Text.data() || text.size() != pending.Text.size())
        pending.Text.assign(text);
}

bool TTokenReader::MergesAfterLookup()
{
    Context.Pending.LookupDeferred = false;
    LookupPending(*DeferredLookup);
    return Context.Current.Kind == Context.Pending.Kind;
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
