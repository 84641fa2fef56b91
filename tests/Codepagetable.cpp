// Codepagetable: the code page 932 tables as text, read through the public decoder and encoder.
#include "Codepagetable.h"

#include "platform/Codepage.h"

#include <cstdio>

namespace TestUtil {
namespace {

void AppendHex(std::string& out, unsigned value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    out += buf;
}

// Bytes and what they decode to: one character, or "-" when they stay stray bytes.
void AppendDecoded(std::string& out, const std::string& bytes)
{
    for (char b : bytes)
        AppendHex(out, static_cast<unsigned char>(b), 2);
    std::u16string text = CodePage::Decode(bytes);
    bool stray = text.size() != 1 ||
                 (bytes.size() == 1 &&
                  text[0] == CodePage::PrivateBase + static_cast<unsigned char>(bytes[0]));
    out += ' ';
    if (stray)
        out += '-';
    else
        AppendHex(out, text[0], 4);
    out += '\n';
}

} // namespace

std::string CodePageTableDump()
{
    std::string out;
    for (unsigned b = 0; b < 256; ++b)
        AppendDecoded(out, std::string(1, static_cast<char>(b)));
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            AppendDecoded(out, {static_cast<char>(lead), static_cast<char>(trail)});
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
