// Convert: pulls tokens from the lexer and pushes them to the token writer.
#include "core/Convert.h"

#include "lexers/Tokenreader.h"
#include "output/Tokenwriter.h"

void TConvert::Copy(TTextReader& reader, TTextWriter& writer)
{
    for (char16_t ch = reader.ReadChar(); ch != EndMark; ch = reader.ReadChar())
        writer.WriteChar(ch);
}

void TConvert::Convert(TTextReader& reader, TTextWriter& writer, const std::string& code)
{
    std::unique_ptr<TTokenReader> tokenReader = CreateTokenReader(reader, code);
    TTokenWriter tokenWriter(writer, Styles);
    while (const TToken* token = tokenReader->NextToken())
        tokenWriter.WriteToken(*token);
    tokenReader.reset(); // the lexer first, then the token writer
}
