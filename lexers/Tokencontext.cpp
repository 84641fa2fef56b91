// Tokencontext: the three tokens start empty, of kind "other".
#include "lexers/Tokencontext.h"

TTokenContext::TTokenContext()
    : Output(u"", TokenKind::Other), Pending(u"", TokenKind::Other), Current(u"", TokenKind::Other)
{
    // Output and Pending trade their texts at every token: with room of their own from the
    // start, neither is ever kept inside the string object, and the trade is one of pointers.
    Output.Text.reserve(ReservedText);
    Pending.Text.reserve(ReservedText);
}
