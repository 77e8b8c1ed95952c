#include "skin/data/QuickIni.h"

#include "skin/data/AnsiText.h"
#include "skin/data/IniValues.h"

#include <algorithm>
#include <stdexcept>

namespace skin {
namespace {

bool IsSectionHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && ansi::EndsWithChar(line, ']');
}

bool IsComment(std::string_view line) { return line.front() == ';'; }

} // namespace

void TQuickIni::LoadFromStream(const MemoryStream* stream) {
    if (stream == nullptr) {
        return;
    }
    const size_t start = std::min(stream->Position(), stream->Size());
    std::string_view text(reinterpret_cast<const char*>(stream->Data()) + start, stream->Size() - start);
    text = text.substr(0, text.find('\0'));

    FLines.clear();
    FSections.clear();
    FFirstHeader.clear();
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = ansi::Trim(text.substr(0, end));
        size_t next = end;
        if (next < text.size()) {
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        }
        text.remove_prefix(next);

        if (line.empty() || IsComment(line)) {
            continue;
        }
        if (IsSectionHeader(line)) {
            FFirstHeader.try_emplace(ansi::FoldText(line), FSections.size());
            FSections.push_back({std::string(line), FLines.size()});
        }
        FLines.emplace_back(line);
    }
}

int TQuickIni::FindHeader(std::string_view name) const {
    const auto found = FFirstHeader.find(ansi::FoldText("[" + std::string(name) + "]"));
    return found == FFirstHeader.end() ? -1 : static_cast<int>(found->second);
}

int TQuickIni::FindSection(std::string_view name) const {
    const int header = FindHeader(name);
    return header < 0 ? -1 : static_cast<int>(FSections[size_t(header)].Line);
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    const std::string result(defaultValue);
    // A line without "=" has an empty key, and empty keys are never found.
    if (key.empty()) {
        return result;
    }
    const int header = FindHeader(section);
    if (header < 0) {
        return result;
    }
    const size_t first = FSections[size_t(header)].Line + 1;
    const size_t last = size_t(header) + 1 < FSections.size() ? FSections[size_t(header) + 1].Line : FLines.size();
    for (size_t i = first; i < last; ++i) {
        const std::string_view line = FLines[i];
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || !ansi::SameText(ansi::Trim(line.substr(0, equals)), key)) {
            continue;
        }
        // The first occurrence decides, even when its value is empty.
        const std::string_view value = ansi::Trim(line.substr(equals + 1));
        return value.empty() ? result : std::string(value);
    }
    return result;
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    return ParseInteger(ReadString(section, key, ""), defaultValue);
}

void TQuickIni::ReadSections(std::vector<std::string>* list) const {
    if (list == nullptr) {
        throw std::invalid_argument("The parameter Strings is unassigned!");
    }
    list->clear();
    list->reserve(FSections.size());
    for (const SectionHeader& header : FSections) {
        const std::string_view text = ansi::Trim(header.Text);
        list->emplace_back(ansi::Trim(text.substr(1, text.size() - 2)));
    }
}

} // namespace skin
