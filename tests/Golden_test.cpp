// Golden_test: each language's sample source against its stored token list and HTML output.
// With CORVINA_UPDATE_GOLDEN=1 the stored files are rewritten instead of compared.
#include "core/Stringlist.h"
#include "core/Textreader.h"
#include "lexers/Tokenreader.h"
#include "output/Colorsettinglist.h"
#include "platform/Codepage.h"
#include "ui/Unit1.h"
#include "Lexertestutil.h"
#include "Tabexpansion.h"
#include "Testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {


std::string GoldenRoot() { return std::string(CORVINA_TEST_DIR) + "/golden"; }

std::vector<std::string> GoldenFolders()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(GoldenRoot(), ec))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool UpdateMode()
{
    const char* value = std::getenv("CORVINA_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The one Sample.<ext> of a folder that is neither a token list nor an HTML file.
std::vector<std::string> SampleInputs(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("Sample.", 0) == 0 && !EndsWith(name, ".tokens") && !EndsWith(name, ".html"))
            found.push_back(entry.path().string());
    }
    return found;
}

std::string Quote(std::u16string_view text)
{
    std::string out = "\"";
    for (char16_t ch : text) {
        switch (ch) {
        case u'\n': out += "\\n"; break;
        case u'\t': out += "\\t"; break;
        case u'\\': out += "\\\\"; break;
        case u'"': out += "\\\""; break;
        default: out += CodePage::ToUtf8(std::u16string_view(&ch, 1));
        }
    }
    return out + "\"";
}

struct TLexed {
    std::vector<std::string> Lines; // "kind<TAB>"quoted text"" per token, UTF-8
    std::u16string Text;            // all token texts joined
};

TLexed Lex(const std::string& input, const std::string& code)
{
    TLexed result;
    TTextReader source(input);
    std::unique_ptr<TTokenReader> reader = CreateTokenReader(source, code);
    while (const TToken* token = reader->NextToken()) {
        result.Lines.push_back(CodePage::ToUtf8(token->Kind) + "\t" + Quote(token->Text));
        result.Text += token->Text;
    }
    return result;
}

// Offset of the first difference, or npos; letter case counts unless foldCase.
size_t FirstDifference(std::u16string_view a, std::u16string_view b, bool foldCase)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        bool same = foldCase ? CodePage::FoldCase(a[i]) == CodePage::FoldCase(b[i]) : a[i] == b[i];
        if (!same)
            return i;
    }
    return a.size() == b.size() ? std::u16string_view::npos : n;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The bytes a batch run writes for input, with the shipped program folder.
std::string ConvertToHtml(const std::string& code, const std::string& input,
                          const TestUtil::TTempDir& work)
{
    std::string output = work.File("out.html");
    TestUtil::TMessageLog log;
    TForm1 form;
    form.StyleSheet = std::make_unique<TStringList>();
    form.ColorList = std::make_unique<TColorSettingList>();
    form.RunBatch({code, input, output});
    EXPECT_EQ(log.All(), "") << "the conversion showed a message";
    return TestUtil::ReadBytes(output);
}

void CompareHtml(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return;
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    int line = 1 + static_cast<int>(std::count(actual.begin(), actual.begin() + at, '\n'));
    auto lineAround = [at](const std::string& bytes) {
        size_t begin = bytes.rfind('\n', at == 0 ? 0 : at - 1);
        begin = begin == std::string::npos ? 0 : begin + 1;
        size_t end = bytes.find('\r', begin);
        return CodePage::ToUtf8(CodePage::Decode(bytes.substr(begin, end - begin)));
    };
    ADD_FAILURE() << "HTML differs at byte " << at << ", line " << line << "\n  expected: "
                  << lineAround(expected) << "\n  actual:   " << lineAround(actual);
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, SampleMatchesStoredTokensAndHtml)
{
    const std::string& code = GetParam();
    const std::vector<std::string> codes = LexerTest::AllCodes();
    ASSERT_NE(std::find(codes.begin(), codes.end(), code), codes.end())
        << "golden folder \"" << code << "\" is no language code";
    std::string folder = GoldenRoot() + "/" + code;
    std::vector<std::string> inputs = SampleInputs(folder);
    ASSERT_EQ(inputs.size(), 1u) << folder << " must hold exactly one Sample.<ext> input";
    const std::string& input = inputs[0];

    TestUtil::TProgramFolder programFolder;
    TestUtil::TTempDir work;

    TLexed lexed = Lex(input, code);
    std::u16string expanded = TabExpansion::ReadExpanded(input);
    bool foldCase = LexerTest::IgnoresCase(code);
    size_t diff = FirstDifference(expanded, lexed.Text, foldCase);
    if (diff != std::u16string_view::npos) {
        auto around = [diff](const std::u16string& s) {
            size_t from = diff < 20 ? 0 : diff - 20;
            return Quote(std::u16string_view(s).substr(from, 40));
        };
        ADD_FAILURE() << "token texts do not add up to the input at character " << diff
                      << "\n  input:  " << around(expanded) << "\n  tokens: " << around(lexed.Text);
    }

    std::string html = ConvertToHtml(code, input, work);
    std::string tokensFile = input + ".tokens";
    std::string htmlFile = input + ".html";
    if (UpdateMode()) {
        TestUtil::WriteBytes(tokensFile, JoinLines(lexed.Lines));
        TestUtil::WriteBytes(htmlFile, html);
        return;
    }

    ASSERT_TRUE(TestUtil::Exists(tokensFile)) << tokensFile << " missing; run update-golden.sh";
    std::vector<std::string> expected = SplitLines(TestUtil::ReadBytes(tokensFile));
    const std::vector<std::string>& actual = lexed.Lines;
    size_t n = std::min(expected.size(), actual.size());
    size_t first = n;
    for (size_t i = 0; i < n && first == n; ++i)
        if (expected[i] != actual[i])
            first = i;
    if (first < n || expected.size() != actual.size()) {
        auto at = [first](const std::vector<std::string>& v) {
            return first < v.size() ? v[first] : std::string("(none)");
        };
        ADD_FAILURE() << "first differing token #" << first << " of " << expected.size()
                      << " expected, " << actual.size() << " actual\n  expected: " << at(expected)
                      << "\n  actual:   " << at(actual);
    }
    CompareHtml(TestUtil::ReadBytes(htmlFile), html);
}

INSTANTIATE_TEST_SUITE_P(Codes, Golden, testing::ValuesIn(GoldenFolders()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(GoldenFolders, EveryLanguageCodeHasOne)
{
    std::vector<std::string> folders = GoldenFolders();
    for (const std::string& code : LexerTest::AllCodes())
        EXPECT_NE(std::find(folders.begin(), folders.end(), code), folders.end())
            << "no golden folder for " << code;
}

} // namespace
