// Stringlist: an ordered list of lines, loaded and saved by the list-of-lines rules.
#pragma once

#include "core/Textencoding.h"

#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    TStringList() = default;

    // The lines of a file's bytes: the encoding decided from them (TTextEncoding), the text
    // split into lines as TLineSplitter does. The lines are kept in that encoding's kept form.
    void SetText(std::string_view data);
    // The lines of text in the kept form of encoding, which the list takes as its own.
    void SetText(std::string_view text, const TTextEncoding& encoding);

    // Loads the whole file; a missing or unreadable file throws TFileError.
    void LoadFromFile(const std::string& path);

    // Every line followed by CR LF, in the kept form.
    std::string Text() const;

    // Creates or truncates path (replaced whole when atomic: the user's settings files), in
    // the encoding the lines were read with, its mark included.
    void SaveToFile(const std::string& path, bool atomic = false) const;

    // The encoding the lines came in and are saved in; code page 932 for a list made here.
    const TTextEncoding& Encoding() const { return TextEncoding; }
    // Lines added from then on must be in the kept form of encoding.
    void SetEncoding(const TTextEncoding& encoding) { TextEncoding = encoding; }
    // The characters of line index.
    std::u16string Decoded(int index) const { return TextEncoding.Decode((*this)[index]); }

    void Add(std::string line);
    // No lines, in code page 932: a list begun anew.
    void Clear();
    int Count() const { return static_cast<int>(Strings.size()); }
    const std::string& operator[](int index) const { return Strings[static_cast<size_t>(index)]; }
    const std::vector<std::string>& Lines() const { return Strings; }

private:
    std::vector<std::string> Strings;
    TTextEncoding TextEncoding;
};
