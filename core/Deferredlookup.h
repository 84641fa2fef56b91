// Deferredlookup: the word-list lookup of identifiers that a lexer leaves to the writer of its
// tokens.
#pragma once

#include "core/Name.h"

#include <string_view>

// A lexer that defers lookups hands one of these to the writer (TTokenReader::DeferLookups). It
// only reads word lists, and lies apart from the memory the lexer writes, so the writing thread
// can use it while the lexer goes on.
class TDeferredLookup {
public:
    virtual ~TDeferredLookup() = default;
    // The kind of a token that came out with LookupDeferred set, of kind and text as it came,
    // after a token of kind before (as written); text becomes the letters to write.
    virtual TName KindOf(TName kind, std::u16string_view& text, TName before) const = 0;
};
