// Tokencontext: the three tokens start empty, of kind "other".
#include "lexers/Tokencontext.h"

TTokenContext::TTokenContext()
    : Output(u"", TokenKind::Other), Pending(u"", TokenKind::Other), Current(u"", TokenKind::Other)
{
}
