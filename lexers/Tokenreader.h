// Tokenreader: the plain token reader (tab expansion, merging, end protocol) and the factory.
#pragma once

#include "core/Deferredlookup.h"
#include "core/Textreader.h"
#include "core/Token.h"
#include "core/Tokenbatch.h"
#include "lexers/Tokencontext.h"
#include "platform/Codepage.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTokenReader {
public:
    TTokenReader(TTextReader& source, const std::string& code);
    virtual ~TTokenReader() = default;
    TTokenReader(const TTokenReader&) = delete;
    TTokenReader& operator=(const TTokenReader&) = delete;

    // The next completed token, lent until the next call; nullptr at the end. A lexer of a final
    // class runs the same loop with its scanners called directly.
    virtual const TToken* NextToken();
    // The next tokens, as NextToken gives them, added to batch until it is full; false once the
    // last token is added (or there was none).
    virtual bool ReadTokens(TTokenBatch& batch);
    // From now on an identifier whose lookup cannot change any later token may come out with
    // LookupDeferred set, for whoever writes the tokens to look up with what this returns
    // (valid as long as the lexer). Null for a lexer that never sets LookupDeferred.
    virtual const TDeferredLookup* DeferLookups() { return nullptr; }

    // Characters that continue the pending token of a state without changing the state: the
    // loop appends such characters as they come, without classifying each. Debug builds still
    // classify every one of them and check that it merges as the run says.
    struct TRun {
        TName State;
        TName Kind;
        // Which ASCII characters continue (never the end mark nor a tab), and whether every
        // character from 128 up does.
        std::array<bool, 128> Ascii{};
        bool Wide = false;
        bool Continues(char16_t ch) const { return ch < 128 ? Ascii[ch] : Wide; }
        // The same, counting a tab as the spaces it stands for.
        bool Takes(char16_t ch) const { return Continues(ch) || (ch == u'\t' && Ascii[u' ']); }
    };
    // The runs this lexer takes that stand for a scanner, one for each state that has one; none
    // for a reference lexer. The tests drive the reference through every character of each run.
    // The plain reader's own run stands for no scanner: every character is "other".
    virtual std::vector<const TRun*> Runs() const { return {}; }
    // From now on the one-character reference step (the virtual ClassifyChar) tells watch, after
    // each character, the state the character's own scanner left ("不明" when it ended the
    // token before the character) and the kind it got; for the tests that hold each run to its
    // scanner. The loop of a final class never calls it.
    void WatchSteps(std::function<void(TName scanned, TName kind)> watch) { Watch = std::move(watch); }

    const char16_t EndMark = 0;
    const char16_t LineBreak = 10;
    const char16_t TabChar = 9;
    const char16_t SpaceChar = 32;
    static constexpr std::u16string_view Letters =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static constexpr std::u16string_view Digits = u"0123456789";
    static constexpr std::u16string_view Symbols = u"!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~";

protected:
    // What debug builds leave in the fields that the loop of a final class does not keep, for
    // start tests and scanners not to read (see the protocol in Tokenreadercommon.h): a kind
    // that is no kind, and a text of U+FFFF, which no character of a source is.
    static constexpr char16_t StaleLetters[] = u"未確定";
    static constexpr TName StaleKind = StaleLetters;
    static void MarkStale([[maybe_unused]] std::u16string& text)
    {
#ifndef NDEBUG
        text.assign(1, u'\uFFFF');
#endif
    }

    // The run of the state the last character left, null for none.
    const TRun* Run = nullptr;

    // Gives Context.Current the text and kind of Context.CurChar: the step ReadToken takes for
    // each character. A final lexer class overrides it with one that reaches its scanners
    // without a virtual call and leaves Current.Text as it is.
    virtual void ClassifyChar();
    // What WatchSteps installed, told by each ClassifyChar.
    std::function<void(TName scanned, TName kind)> Watch;
    void TellWatch(TName scanned)
    {
        if (Watch)
            Watch(scanned, Context.Current.Kind);
    }
    // Current.Text becomes the one character CurChar: the reference steps keep it so; the
    // merge step takes CurChar itself.
    void SetCurrentText()
    {
        std::u16string& text = Context.Current.Text;
        if (text.size() == 1)
            text[0] = Context.CurChar;
        else
            text.assign(1, Context.CurChar);
    }

    // The per-character loop behind NextToken: self.ClassifyChar() classifies each character, a
    // virtual call for this class and a direct one for a final lexer class.
    template <class TSelf>
    const TToken* ReadToken(TSelf& self);
    // ReadTokens through ReadToken(self), which is inlined here, so that no call is made per token.
    template <class TSelf>
    bool ReadTokensWith(TSelf& self, TTokenBatch& batch)
    {
        if (batch.Full())
            return true;
        Sink = &batch;
        const bool more = ReadToken(self) != nullptr;
        Sink = nullptr;
        return more;
    }
    // Classifies CurChar with self.ClassifyChar() and adds it to Pending, or completes Pending
    // into Output.
    template <class TSelf>
    void ConsumeChar(TSelf& self)
    {
        TTokenContext& c = Context;
        if (!c.HasPending)
            return;
        self.ClassifyChar();
        if (c.Current.Kind == c.Pending.Kind && c.CurChar != EndMark) {
            // An identifier left unlooked-up merges only with what its kind after the lookup
            // takes: seldom asked, as only an identifier's kind is the same as its own.
            if (c.Pending.LookupDeferred && !MergesAfterLookup()) {
                CompletePending();
                return;
            }
            c.Pending.Text.push_back(c.CurChar); // Current's text, always the one character
            return;
        }
        CompletePending();
    }
    // The same through the virtual ClassifyChar, one character at a time.
    void ConsumeChar() { ConsumeChar(*this); }
    void CompletePending();
    // Gives Pending the kind and letters lookup finds for it.
    void LookupPending(const TDeferredLookup& lookup);
    // Looks the pending token up with DeferredLookup and returns whether Current still merges.
    bool MergesAfterLookup();
    // What DeferLookups returned; null while lookups are not deferred.
    const TDeferredLookup* DeferredLookup = nullptr;
    // While ReadTokens fills a batch: the batch, which CompletePending adds each token to.
    TTokenBatch* Sink = nullptr;
    const TToken* TakeReadyToken()
    {
        if (!Context.Output.Ready)
            return nullptr;
        Context.Output.Ready = false;
        return &Context.Output;
    }
    static bool IsTabStop(int n) { return n % 4 == 0; }
    // The spaces a tab at column n stands for.
    static int TabWidth(int n) { return 4 - n % 4; }
    // The columns of ch after prev (CodePage::Columns): a surrogate pair is one character.
    static int CharWidth(char16_t ch, char16_t prev) { return ch < 128 ? 1 : WideCharWidth(ch, prev); }
    static int WideCharWidth(char16_t ch, char16_t prev) { return CodePage::Columns(ch, prev); }
    static constexpr bool IsLetter(char16_t ch) { return (ch | 0x20) >= u'a' && (ch | 0x20) <= u'z'; }
    static constexpr bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
    static constexpr bool IsPrintable(char16_t ch) { return ch > 32 && ch < 127; }
    static constexpr bool IsSymbol(char16_t ch)
    {
        return (ch >= 33 && ch <= 47) || (ch >= 58 && ch <= 64) || (ch >= 91 && ch <= 94) ||
               ch == 96 || (ch >= 123 && ch <= 126);
    }

    int DisplayColumn = 0;
    TTextReader& Source;
    TTokenContext Context;

private:
    static const TRun PlainRun;
    // Appends the characters that continue the pending token under Run, if any.
    void TakeRun(const TRun& run);
    // How many characters at the start of rest continue run, and the column after them; before
    // is the character before rest.
    size_t ScanRun(const TRun& run, std::u16string_view rest, char16_t before, int& column) const;
    // After the first space of a tab: appends the rest of its spaces at once when Run holds
    // for the pending token and takes a space, and returns whether it did.
    bool TakeTabRest();
};

template <class TSelf>
[[gnu::always_inline]] inline const TToken* TTokenReader::ReadToken(TSelf& self)
{
    TTokenContext& c = Context;
    for (;;) {
        if (Run != nullptr && Run->Takes(c.NextChar))
            TakeRun(*Run);
        c.PrevChar = c.CurChar;
        c.CurChar = c.NextChar;
        c.NextChar = Source.ReadChar();
        if (c.CurChar == TabChar) {
            c.CurChar = SpaceChar;
            ConsumeChar(self);
            DisplayColumn += 1;
            if (!IsTabStop(DisplayColumn) && !TakeTabRest()) {
                do {
                    ConsumeChar(self);
                    DisplayColumn += 1;
                } while (!IsTabStop(DisplayColumn));
            }
        } else {
            if (c.CurChar == SpaceChar)
                DisplayColumn += 1;
            else if (c.CurChar == LineBreak)
                DisplayColumn = 0;
            else if (c.CurChar != EndMark)
                DisplayColumn += CharWidth(c.CurChar, c.PrevChar);
            ConsumeChar(self);
        }
        if (const TToken* token = TakeReadyToken())
            return token;
        if (c.CurChar == EndMark)
            return nullptr;
    }
}

// The lexer for a language code; any code it does not know gets the plain reader.
std::unique_ptr<TTokenReader> CreateTokenReader(TTextReader& source, const std::string& code);
// The reference the lexer of that code is checked against: the same tokens, every scanner
// reached virtually.
std::unique_ptr<TTokenReader> CreateReferenceTokenReader(TTextReader& source,
                                                         const std::string& code);
