// Codepagedump: writes the code page 932 tables of this build to the file named on the command
// line, for comparing the tables of two systems byte for byte.
#include "Codepagetable.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: corvina_codepage_dump FILE" << std::endl;
        return 2;
    }
    std::string dump = TestUtil::CodePageTableDump();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(dump.data(), static_cast<std::streamsize>(dump.size()));
    out.close();
    if (!out) {
        std::cerr << "corvina_codepage_dump: cannot write " << argv[1] << std::endl;
        return 1;
    }
    return 0;
}
