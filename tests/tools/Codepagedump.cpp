// Codepagedump: writes what the system's code page 932 converter gives to the file named on the
// command line, for comparing the converters of two systems byte for byte; with --source, writes
// the built-in tables' header (platform/Codepagemap.h) made from it instead.
#include "Codepagetable.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    bool source = argc == 3 && std::string(argv[1]) == "--source";
    if (argc != 2 && !source) {
        std::cerr << "usage: corvina_codepage_dump [--source] FILE" << std::endl;
        return 2;
    }
    const char* path = argv[argc - 1];
    std::string text;
    try {
        text = source ? TestUtil::CodePageMapSource() : TestUtil::SystemCodePageDump();
    } catch (const std::exception& e) {
        std::cerr << "corvina_codepage_dump: " << e.what() << std::endl;
        return 1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "corvina_codepage_dump: cannot write " << path << std::endl;
        return 1;
    }
    return 0;
}
