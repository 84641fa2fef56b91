// Codepagetable: the code page 932 tables written out as text, both those built into the program
// and what the system's own converter gives, so that they can be compared with each other and
// across systems; and the generated source of the built-in tables.
#pragma once

#include <cstdint>
#include <string>

namespace TestUtil {

// The program's tables: one line per single byte and per lead/trail pair ("82A0 3042", "-" for
// stray bytes), then one line per character the code page writes as other than "?"
// ("U+3042 82A0").
std::string CodePageTableDump();

// The lines for single bytes and pairs as the system's converter decodes them, in the form of
// CodePageTableDump. Throws std::runtime_error when the system has no code page 932 converter.
std::string SystemCodePageDump();

// The header platform/Codepagemap.h, made from the system's converter.
std::string CodePageMapSource();

// FNV-1a hash of text: a short fingerprint of a dump.
std::uint64_t Fingerprint(const std::string& text);

} // namespace TestUtil
