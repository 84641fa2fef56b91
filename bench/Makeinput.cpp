// Makeinput: deterministic large inputs for the benchmarks, in code page 932.
//   corvina_makeinput repeat BYTES OUT SAMPLE   SAMPLE repeated up to at least BYTES
//   corvina_makeinput family BYTES OUT CODE     generated source of CODE's language family
//   corvina_makeinput oneline BYTES OUT         one line of C++ tokens, no line end
//   corvina_makeinput emptylines COUNT OUT      COUNT empty lines, CR LF each
//   corvina_makeinput keylist COUNT OUT         COUNT distinct words, one a line
//   corvina_makeinput escapes COUNT OUT         COUNT escape lines: "<", ">", "&" and kanji
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// "表示する" and "文字列" in code page 932: double-byte text in comments and strings.
const std::string Japanese = "\x95\x5c\x8e\xa6\x82\xb7\x82\xe9";
const std::string Moji = "\x95\xb6\x8e\x9a\x97\xf1";

std::vector<std::string> Template(const std::string& code)
{
    const std::string j = Japanese, m = Moji;
    if (code == "vb6" || code == "vb7")
        return {"' " + j + " comment line\r\n",
                "\tDim value@ As Integer = Foo(bar, \"" + m + " <@>\") * 3.14\r\n",
                "\tIf value@ > 10 Then Call Show(#1/2/2003#) Else x = &H1F\r\n", "\tEnd If\r\n"};
    if (code == "del")
        return {"{ " + j + " comment } // line @\r\n",
                "\tvalue@ := Foo(bar, '" + m + " <@>') * 3.14;\r\n",
                "\tif value@ > $1F then begin Show(#13); end;\r\n", "(* block @ *)\r\n"};
    if (code == "psq" || code == "tsq")
        return {"-- " + j + " comment @\r\n",
                "SELECT col@, N'" + m + " <@>' FROM dbo.[Table] WHERE id = @id AND x > 3.14;\r\n",
                "\t/* block " + j + " */ UPDATE t SET n = n + 1 WHERE k <> 'a''b';\r\n", "GO\r\n"};
    if (code == "txt")
        return {j + " plain text line @ with <tags> & stuff\r\n", "\tindented\t" + m + " @\r\n"};
    return {"\t// " + j + " comment line @ with <tags> & stuff\r\n",
            "\tint value@ = foo(bar, \"" + m + " <@>\\n\", 'c') * 3.14e+5;\r\n",
            "#define MACRO@ 0x1F\r\n",
            "\tif (value@ > 10 && x != y) { return value@; } /* block @ */\r\n"};
}

std::string Fill(std::string line, unsigned n)
{
    std::string num = std::to_string(n);
    for (size_t at = line.find('@'); at != std::string::npos; at = line.find('@', at + num.size()))
        line.replace(at, 1, num);
    return line;
}

bool Write(const char* path, const std::string& data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: corvina_makeinput MODE AMOUNT OUT [ARG]\n");
        return 2;
    }
    std::string mode = argv[1];
    size_t amount = std::strtoull(argv[2], nullptr, 10);
    std::string data;
    if (mode == "repeat" && argc > 4) {
        std::ifstream in(argv[4], std::ios::binary);
        std::string sample((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (sample.empty())
            return 1;
        if (sample.back() != '\n')
            sample += "\r\n";
        data.reserve(amount + sample.size());
        while (data.size() < amount)
            data += sample;
    } else if (mode == "family" && argc > 4) {
        std::vector<std::string> lines = Template(argv[4]);
        for (unsigned n = 0; data.size() < amount; ++n)
            data += Fill(lines[n % lines.size()], n);
    } else if (mode == "oneline") {
        for (unsigned n = 0; data.size() < amount; ++n)
            data += Fill("value@ = foo(bar, \"" + Moji + " <@>\") * 3.14; /* c@ */ ", n);
    } else if (mode == "emptylines") {
        for (size_t n = 0; n < amount; ++n)
            data += "\r\n";
    } else if (mode == "keylist") {
        for (size_t n = 0; n < amount; ++n)
            data += "word" + std::to_string(n) + "\r\n";
    } else if (mode == "escapes") {
        // "<", ">", "&", then one kanji a line, each its own character.
        data = "<\r\n>\r\n&\r\n";
        for (size_t n = 3; n < amount; ++n) {
            data += static_cast<char>(0x89 + n / 60);
            data += static_cast<char>(0x40 + n % 60);
            data += "\r\n";
        }
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    return Write(argv[3], data) ? 0 : 1;
}
