// Textencoding: the detection rules, the byte-order marks and UTF-16 <-> kept UTF-8.
#include "core/Textencoding.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>

namespace {

using TForm = TTextEncoding::TForm;

struct TMark {
    std::string_view Bytes;
    TForm Form;
};
constexpr std::array<TMark, 3> Marks = {{
    {"\xEF\xBB\xBF", TForm::Utf8},
    {"\xFF\xFE", TForm::Utf16LE},
    {"\xFE\xFF", TForm::Utf16BE},
}};

std::string_view MarkOf(TForm form)
{
    for (const TMark& mark : Marks)
        if (mark.Form == form)
            return mark.Bytes;
    return {};
}

// The UTF-16 units of bytes, up to the first U+0000 (an odd last byte is no unit), as kept
// UTF-8.
std::string Utf16ToKept(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const char16_t unit = static_cast<char16_t>(bigEndian ? first << 8 | second
                                                              : second << 8 | first);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return Utf8::Encode(units);
}

std::string KeptToUtf16(std::string_view text, bool bigEndian)
{
    const std::u16string units = Utf8::Decode(text);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

// UTF-16LE or UTF-16BE when the zero bytes of the first units show the pattern of rule 2,
// otherwise code page 932.
TForm Utf16Pattern(std::string_view bytes)
{
    const size_t units = std::min(bytes.size(), TTextEncoding::Utf16Sample) / 2;
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i < units; ++i) {
        const bool even = bytes[2 * i] == '\0';
        const bool odd = bytes[2 * i + 1] == '\0';
        if (even && odd)
            return TForm::CodePage932;
        evenZeros += even;
        oddZeros += odd;
    }
    auto pattern = [units](size_t zeros, size_t others) {
        return zeros >= TTextEncoding::Utf16MinZeros &&
               zeros * TTextEncoding::Utf16UnitsPerZero >= units && others * 2 <= zeros;
    };
    if (pattern(oddZeros, evenZeros))
        return TForm::Utf16LE;
    if (pattern(evenZeros, oddZeros))
        return TForm::Utf16BE;
    return TForm::CodePage932;
}

} // namespace

TTextEncoding TTextEncoding::Detect(std::string_view bytes)
{
    for (const TMark& mark : Marks)
        if (bytes.starts_with(mark.Bytes))
            return {mark.Form, true};

    if (const TForm form = Utf16Pattern(bytes); form != TForm::CodePage932)
        return {form, false};

    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    if (Utf8::IsWideText(text))
        return {TForm::Utf8, false};
    return {};
}

std::string_view TTextEncoding::Unwrap(std::string_view bytes, std::string& storage) const
{
    if (Mark)
        bytes.remove_prefix(MarkOf(Form).size());
    if (!IsUtf16())
        return bytes;
    storage = Utf16ToKept(bytes, Form == TForm::Utf16BE);
    return storage;
}

std::string TTextEncoding::Wrap(std::string_view text) const
{
    std::string bytes(Mark ? MarkOf(Form) : std::string_view());
    if (IsUtf16())
        bytes += KeptToUtf16(text, Form == TForm::Utf16BE);
    else
        bytes += text;
    return bytes;
}

char16_t* TTextEncoding::DecodeTo(std::string_view text, char16_t* dest) const
{
    return IsUnicode() ? Utf8::DecodeTo(text, dest) : CodePage::DecodeTo(text, dest);
}

void TTextEncoding::DecodeAppend(std::string_view text, std::u16string& out) const
{
    if (IsUnicode())
        Utf8::DecodeAppend(text, out);
    else
        CodePage::DecodeAppend(text, out);
}

std::u16string TTextEncoding::Decode(std::string_view text) const
{
    std::u16string out;
    DecodeAppend(text, out);
    return out;
}

std::string TTextEncoding::Encode(std::u16string_view text) const
{
    return IsUnicode() ? Utf8::Encode(text) : CodePage::Encode(text);
}

TTextEncoding::TLineDecoder TTextEncoding::LineDecoder() const
{
    return IsUnicode() ? &Utf8::DecodeLineTo : &CodePage::DecodeLineTo;
}
