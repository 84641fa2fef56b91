// Bench: throughput of every lexer through CreateTokenReader, of the token writer and of the
// text writer, on a generated mixed source held in a temporary program folder.
#include "core/Textreader.h"
#include "core/Textwriter.h"
#include "lexers/Languagetable.h"
#include "lexers/Tokenreader.h"
#include "output/Colorsettinglist.h"
#include "output/Tokenwriter.h"
#include "platform/Codepage.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// About 1 MB of C-, Basic-, Pascal- and SQL-like lines with Japanese text and tabs: every lexer
// meets comments, strings, numbers, words and symbols.
std::string MixedSource()
{
    const std::u16string lines[] = {
        u"\t// 表示する comment line with <tags> & stuff\n",
        u"\tint value = foo(bar, \"文字列 <x>\\n\", 'c') * 3.14e+5;\n",
        u"#define MACRO 0x1F\n",
        u"\tif (value > 10 && x != y) { return value; } /* block */\n",
        u"' basic comment\n",
        u"\tDim s As String = \"a\"\"b\" : x = &H1F\n",
        u"{ pascal } (* star *) value := $1F;\n",
        u"-- sql comment\n",
        u"SELECT [col], N'文字' FROM dbo.t WHERE id = @id;\n",
    };
    std::u16string text;
    while (text.size() < (1u << 20))
        for (const std::u16string& line : lines)
            text += line;
    return CodePage::Encode(text);
}

struct TFixture {
    std::string Folder;
    std::string Input;
    size_t Bytes = 0;

    TFixture()
    {
        Folder =
            (fs::temp_directory_path() / ("corvina-bench-" + std::to_string(::getpid()))).string();
        fs::create_directories(Folder);
        for (const auto& entry : fs::directory_iterator(CORVINA_DATA_DIR))
            fs::copy_file(entry.path(), fs::path(Folder) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        Platform::SetProgramFolder(Folder);
        std::string source = MixedSource();
        Bytes = source.size();
        Input = Folder + "/input.src";
        std::ofstream(Input, std::ios::binary) << source;
    }
    ~TFixture()
    {
        std::error_code ec;
        fs::remove_all(Folder, ec);
    }
};

TFixture& Fixture()
{
    static TFixture fixture;
    return fixture;
}

void BM_Lexer(benchmark::State& state, const char* code)
{
    TFixture& f = Fixture();
    size_t tokens = 0;
    for (auto _ : state) {
        TTextReader reader(f.Input);
        std::unique_ptr<TTokenReader> lexer = CreateTokenReader(reader, code);
        while (const TToken* token = lexer->NextToken()) {
            benchmark::DoNotOptimize(token);
            ++tokens;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.Bytes));
    state.counters["tokens"] =
        static_cast<double>(tokens) / static_cast<double>(state.iterations());
}

// The tokens of the C++ lexer, kept so that only the writer is timed.
std::vector<TToken> Tokens()
{
    TFixture& f = Fixture();
    TTextReader reader(f.Input);
    std::unique_ptr<TTokenReader> lexer = CreateTokenReader(reader, "vc7");
    std::vector<TToken> tokens;
    while (const TToken* token = lexer->NextToken())
        tokens.push_back(*token);
    return tokens;
}

void BM_TokenWriter(benchmark::State& state)
{
    TFixture& f = Fixture();
    static const std::vector<TToken> tokens = Tokens();
    TColorSettingList styles;
    for (auto _ : state) {
        TTextWriter writer(f.Folder + "/unused.html"); // never closed: nothing is written
        TTokenWriter tokenWriter(writer, styles);
        for (const TToken& token : tokens)
            tokenWriter.WriteToken(token);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.Bytes));
}

void BM_TextWriterChars(benchmark::State& state)
{
    TFixture& f = Fixture();
    static const std::u16string text = CodePage::Decode(MixedSource());
    for (auto _ : state) {
        TTextWriter writer(f.Folder + "/unused.html");
        for (char16_t ch : text)
            writer.WriteChar(ch);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.Bytes));
}

void BM_TextWriterAndClose(benchmark::State& state)
{
    TFixture& f = Fixture();
    static const std::u16string text = CodePage::Decode(MixedSource());
    for (auto _ : state) {
        TTextWriter writer(f.Folder + "/out.html");
        writer.WriteText(text);
        writer.Close();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.Bytes));
}

void BM_TextReader(benchmark::State& state)
{
    TFixture& f = Fixture();
    for (auto _ : state) {
        TTextReader reader(f.Input);
        unsigned sum = 0;
        for (char16_t ch = reader.ReadChar(); ch != 0; ch = reader.ReadChar())
            sum += ch;
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.Bytes));
}

const int Registered = [] {
    std::vector<const char*> codes;
    for (const Languages::TCode& row : Languages::Codes())
        codes.push_back(row.Code);
    codes.push_back(Languages::PlainCode);
    for (const char* code : codes)
        benchmark::RegisterBenchmark((std::string("Lexer/") + code).c_str(), BM_Lexer, code)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TokenWriter", BM_TokenWriter)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TextWriter/WriteChar", BM_TextWriterChars)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TextWriter/WriteTextAndClose", BM_TextWriterAndClose)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TextReader", BM_TextReader)->Unit(benchmark::kMillisecond);
    return 0;
}();

} // namespace

BENCHMARK_MAIN();
