// Escapefloor: the least a converter must do: read the file, escape <, > and &, write it.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: escape_floor INPUT OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string out;
    out.reserve(data.size() + data.size() / 8);
    for (char ch : data) {
        switch (ch) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        default:
            out += ch;
        }
    }
    std::ofstream os(argv[2], std::ios::binary | std::ios::trunc);
    os.write(out.data(), static_cast<std::streamsize>(out.size()));
    return os ? 0 : 1;
}
