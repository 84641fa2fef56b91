// Codepagetable: the code page 932 tables as text, read through the public decoder and encoder or
// asked of the system's converter byte by byte and pair by pair.
#include "Codepagetable.h"

#include "platform/Codepage.h"
#include "platform/Codepagedecoder.h"

#include <cstdio>
#include <functional>

namespace TestUtil {
namespace {

void AppendHex(std::string& out, unsigned value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    out += buf;
}

bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The bytes that can be a character alone: ASCII and the half-width katakana. Windows' own
// converter also gives 0x80 (and, depending on the version, 0xA0 and 0xFD-0xFF) characters of
// its own; here they stay stray bytes on every system, so that all systems give one table.
bool IsSingleByte(unsigned b) { return b < 0x80 || (b >= 0xA1 && b <= 0xDF); }

constexpr unsigned FirstTrail = 0x40;
constexpr unsigned LastTrail = 0xFC;

// Every single byte, then every lead byte with every trail byte, as the dump lists them.
void ForEachCode(const std::function<void(const std::string&)>& visit)
{
    for (unsigned b = 0; b < 256; ++b)
        visit(std::string(1, static_cast<char>(b)));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        for (unsigned trail = FirstTrail; trail <= LastTrail; ++trail)
            visit({static_cast<char>(lead), static_cast<char>(trail)});
}

// The character the system's converter gives for bytes by the rules of the program's tables,
// or NoChar when they are stray bytes.
char16_t SystemDecode(CodePage::TCodePageDecoder& decoder, const std::string& bytes)
{
    unsigned first = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1 ? !IsSingleByte(first)
                          : !IsLeadByte(first) || static_cast<unsigned char>(bytes[1]) == 0x7F)
        return CodePage::TCodePageDecoder::NoChar;
    return decoder.Decode(bytes.data(), bytes.size());
}

// "82A0 3042": bytes and the one character they decode to, or "-" for stray bytes.
void AppendDecoded(std::string& out, const std::string& bytes, bool stray, char16_t ch)
{
    for (char b : bytes)
        AppendHex(out, static_cast<unsigned char>(b), 2);
    out += ' ';
    if (stray)
        out += '-';
    else
        AppendHex(out, ch, 4);
    out += '\n';
}

} // namespace

std::string CodePageTableDump()
{
    std::string out;
    ForEachCode([&](const std::string& bytes) {
        std::u16string text = CodePage::Decode(bytes);
        bool stray = text.size() != 1 ||
                     (bytes.size() == 1 &&
                      text[0] == CodePage::PrivateBase + static_cast<unsigned char>(bytes[0]));
        AppendDecoded(out, bytes, stray, text[0]);
    });
    const std::uint16_t* written = CodePage::EncodedTable();
    for (unsigned c = 0; c < 65536; ++c) {
        if (written[c] == static_cast<std::uint16_t>(CodePage::Replacement) && c != '?')
            continue;
        out += "U+";
        AppendHex(out, c, 4);
        out += ' ';
        AppendHex(out, written[c], written[c] < 0x100 ? 2 : 4);
        out += '\n';
    }
    return out;
}

std::string SystemCodePageDump()
{
    CodePage::TCodePageDecoder decoder;
    std::string out;
    ForEachCode([&](const std::string& bytes) {
        char16_t ch = SystemDecode(decoder, bytes);
        AppendDecoded(out, bytes, ch == CodePage::TCodePageDecoder::NoChar, ch);
    });
    return out;
}

std::string CodePageMapSource()
{
    CodePage::TCodePageDecoder decoder;
    std::string out =
        "// Codepagemap: the characters of code page 932 (Microsoft's mapping), as the system's\n"
        "// converter decodes them; 0xFFFF where bytes are no character. Made by\n"
        "// \"corvina_codepage_dump --source FILE\"; the tests check it against the converter.\n"
        "#pragma once\n\nnamespace CodePage::Map {\n\n";
    auto row = [&](const std::string& prefix, unsigned first, unsigned last) {
        for (unsigned b = first; b <= last; ++b) {
            std::string bytes = prefix + static_cast<char>(b);
            out += (b - first) % 10 == 0 ? "    " : " ";
            out += "0x";
            AppendHex(out, SystemDecode(decoder, bytes), 4);
            out += ',';
            if ((b - first) % 10 == 9 || b == last)
                out += '\n';
        }
    };
    out += "// Each byte alone.\ninline constexpr char16_t Single[256] = {\n";
    row("", 0, 255);
    out += "};\n\n";
    out += "inline constexpr unsigned FirstTrail = 0x";
    AppendHex(out, FirstTrail, 2);
    out += ";\ninline constexpr unsigned TrailCount = ";
    out += std::to_string(LastTrail - FirstTrail + 1);
    out +=
        ";\n\n// Each lead byte (0x81-0x9F, 0xE0-0xFC) with each trail byte from FirstTrail on.\n";
    out += "inline constexpr char16_t Double[60][TrailCount] = {\n";
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(lead))
            continue;
        out += "    {\n";
        row(std::string(1, static_cast<char>(lead)), FirstTrail, LastTrail);
        out += "    },\n";
    }
    out += "};\n\n} // namespace CodePage::Map\n";
    return out;
}

std::uint64_t Fingerprint(const std::string& text)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

} // namespace TestUtil
