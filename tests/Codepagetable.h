// Codepagetable: the code page 932 tables in use, written out as text, so that the tables built
// on one system can be compared with those built on another.
#pragma once

#include <cstdint>
#include <string>

namespace TestUtil {

// One line per single byte and per lead/trail pair ("82A0 3042", "-" for stray bytes), then one
// line per character the code page writes as other than "?" ("U+3042 82A0").
std::string CodePageTableDump();

// FNV-1a hash of text: a short fingerprint of a dump.
std::uint64_t Fingerprint(const std::string& text);

} // namespace TestUtil
