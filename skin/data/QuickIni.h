#pragma once
// The in-memory reader of a skin description: an INI-style text parsed once
// into trimmed lines plus an index of the section headers. A key lookup is a
// linear scan of its section; the description is read once per skin load.
// Portable: no Windows header.

#include "skin/data/MemoryStream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

class TQuickIni {
public:
    // Replaces the content with the text from the stream's position to its end
    // (a NUL byte ends it early). The stream itself is not moved. A null stream
    // leaves the reader as it was.
    void LoadFromStream(const MemoryStream* stream);

    // Line position of the first header equal to "[" + name + "]" apart from case; -1 when none.
    int FindSection(std::string_view name) const;

    // The value of the first line of the first section of that name whose key
    // matches (case-insensitive); defaultValue when there is none or its value is empty.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // ReadString read with the integer syntax; defaultValue when empty or not a number.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Replaces list's content with every section name in file order, duplicates included.
    // Throws std::invalid_argument when list is null.
    void ReadSections(std::vector<std::string>* list) const;

private:
    struct SectionHeader {
        std::string Text; // with its brackets
        size_t Line;      // position in FLines
    };

    // Index into FSections of the first header for name, or -1.
    int FindHeader(std::string_view name) const;

    std::vector<std::string> FLines;
    std::vector<SectionHeader> FSections;
    // Folded header text (ansi::FoldText) to the index in FSections of the
    // first header with it. Loading reads every section of some name
    // patterns by name, so a scan of all headers per lookup would make a
    // description of many sections quadratic to load.
    std::unordered_map<std::string, size_t> FFirstHeader;
};

} // namespace skin
