// Colorfields: the color.txt line syntax on reading and writing.
#include "output/Colorfields.h"

#include "platform/Codepage.h"

#include <cstdio>

namespace ColorFields {

namespace {

bool IsBlank(char ch) { return ch >= 0x01 && ch <= 0x20; }

std::string Hex6(std::int32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06X", static_cast<unsigned>(value));
    return buf;
}

} // namespace

std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    size_t i = 0, n = line.size();
    while (i < n && IsBlank(line[i]))
        ++i;
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        } else {
            while (i < n && line[i] != ',' && !IsBlank(line[i]))
                field += line[i++];
        }
        fields.push_back(std::move(field));
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i < n && line[i] == ',') {
            ++i;
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i == n)
                fields.emplace_back(); // a comma at the end gives a final empty field
        }
    }
    return fields;
}

std::string JoinFields(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            line += ',';
        const std::string& f = fields[k];
        bool quote = false;
        for (char ch : f)
            if (IsBlank(ch) || ch == '"' || ch == ',')
                quote = true;
        if (!quote) {
            line += f;
            continue;
        }
        line += '"';
        for (char ch : f) {
            if (ch == '"')
                line += '"';
            line += ch;
        }
        line += '"';
    }
    return line;
}

bool ParseInteger(std::string_view text, std::int32_t& value)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    unsigned long long v = 0;
    for (; i < text.size(); ++i) {
        char ch = text[i];
        int d = ch >= '0' && ch <= '9'   ? ch - '0'
                : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                         : 99;
        if (d >= base)
            return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull)
            return false;
    }
    // Decimal values keep to the signed range; hexadecimal ones may use all 32 bits.
    if (base == 10 && v > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return false;
    std::uint32_t bits = static_cast<std::uint32_t>(v);
    if (negative)
        bits = 0u - bits;
    value = static_cast<std::int32_t>(bits);
    return true;
}

std::string FormatLine(const TColorSetting& item)
{
    return JoinFields({item.Name, item.CssClass, Hex6(item.Color), Hex6(item.BackColor),
                       item.Bold ? "1" : "0", item.Italic ? "1" : "0", item.Enabled ? "1" : "0"});
}

bool ParseLine(std::string_view line, TColorSetting& item, std::string& error)
{
    static const char* const fieldNames[] = {"名前", "クラス名", "文字色", "背景色",
                                             "太字", "斜体",     "有効"};
    std::vector<std::string> fields = SplitFields(line);
    if (fields.size() < 7) {
        error = "項目が 7 個必要ですが " + std::to_string(fields.size()) + " 個しかありません";
        return false;
    }
    std::int32_t numbers[5];
    for (size_t k = 0; k < 5; ++k)
        if (!ParseInteger(fields[k + 2], numbers[k])) {
            error = std::string(fieldNames[k + 2]) + "の値 \"" +
                    CodePage::ToUtf8(CodePage::Decode(fields[k + 2])) + "\" は整数ではありません";
            return false;
        }
    item.Name = std::move(fields[0]);
    item.CssClass = std::move(fields[1]);
    item.Color = numbers[0];
    item.BackColor = numbers[1];
    item.Bold = numbers[2] != 0;
    item.Italic = numbers[3] != 0;
    item.Enabled = numbers[4] != 0;
    return true;
}

} // namespace ColorFields
