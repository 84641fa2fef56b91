// Tokenreader: the plain token reader (tab expansion, merging, end protocol) and the factory.
#pragma once

#include "core/Textreader.h"
#include "core/Token.h"
#include "lexers/Tokencontext.h"

#include <memory>
#include <string>
#include <string_view>

class TTokenReader {
public:
    TTokenReader(TTextReader& source, const std::string& code);
    virtual ~TTokenReader() = default;
    TTokenReader(const TTokenReader&) = delete;
    TTokenReader& operator=(const TTokenReader&) = delete;

    // The next completed token, lent until the next call; nullptr at the end.
    const TToken* NextToken();

    const char16_t EndMark = 0;
    const char16_t LineBreak = 10;
    const char16_t TabChar = 9;
    const char16_t SpaceChar = 32;
    static constexpr std::u16string_view Letters =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static constexpr std::u16string_view Digits = u"0123456789";
    static constexpr std::u16string_view Symbols = u"!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~";

protected:
    // Gives Context.Current the text and kind of Context.CurChar.
    virtual void ClassifyChar();
    // Current.Text becomes the one character CurChar.
    void SetCurrentText()
    {
        std::u16string& text = Context.Current.Text;
        if (text.size() == 1)
            text[0] = Context.CurChar;
        else
            text.assign(1, Context.CurChar);
    }

    // Classifies CurChar and adds it to Pending, or completes Pending into Output.
    void ConsumeChar()
    {
        TTokenContext& c = Context;
        if (!c.HasPending)
            return;
        ClassifyChar();
        if (c.Current.Kind == c.Pending.Kind && c.CurChar != EndMark) {
            if (c.Current.Text.size() == 1)
                c.Pending.Text.push_back(c.Current.Text[0]);
            else
                c.Pending.Text += c.Current.Text;
            return;
        }
        CompletePending();
    }
    void CompletePending();
    const TToken* TakeReadyToken();
    static bool IsTabStop(int n) { return n % 4 == 0; }
    static int CharWidth(char16_t ch) { return ch < 128 ? 1 : WideCharWidth(ch); }
    static int WideCharWidth(char16_t ch);
    static bool IsLetter(char16_t ch) { return (ch | 0x20) >= u'a' && (ch | 0x20) <= u'z'; }
    static bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
    static bool IsPrintable(char16_t ch) { return ch > 32 && ch < 127; }
    static bool IsSymbol(char16_t ch)
    {
        return (ch >= 33 && ch <= 47) || (ch >= 58 && ch <= 64) || (ch >= 91 && ch <= 94) ||
               ch == 96 || (ch >= 123 && ch <= 126);
    }

    int DisplayColumn = 0;
    TTextReader& Source;
    TTokenContext Context;
};

// The lexer for a language code; any code it does not know gets the plain reader.
std::unique_ptr<TTokenReader> CreateTokenReader(TTextReader& source, const std::string& code);
