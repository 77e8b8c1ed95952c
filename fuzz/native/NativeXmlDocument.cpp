// Native stand-in for the program's XML document, for fuzzing the login reply
// rules off Windows: a small well-formedness parser of the same shape (one
// root element, nested elements with attributes, text with the predefined and
// numeric character references, comments, processing instructions, CDATA).
// A text that does not parse leaves a document without elements, as the real
// parser does. What MSXML itself does with a reply (its parse, its text and
// its serialisation) is left to the tests under Wine.

#include "app/comm/XmlDocument.h"

#include "ui/Application.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app::comm {

namespace {

struct Element {
    std::wstring Name;
    std::vector<std::pair<std::wstring, std::wstring>> Attributes;
    // Children in order: text (no element) or an element.
    struct Child {
        std::wstring Text;
        std::unique_ptr<Element> Node;
    };
    std::vector<Child> Children;
};

constexpr int kMaxDepth = 256;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L':' || c >= 0x80;
}
bool IsNameChar(wchar_t c) { return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.'; }

class Parser {
public:
    explicit Parser(std::wstring_view text) : FText(text) {}

    std::unique_ptr<Element> Document() {
        SkipMisc();
        std::unique_ptr<Element> root = ElementAt(0);
        if (!root) {
            return nullptr;
        }
        SkipMisc();
        return FAt == FText.size() ? std::move(root) : nullptr;
    }

private:
    bool Starts(std::wstring_view what) const {
        return FAt <= FText.size() && FText.substr(FAt, what.size()) == what;
    }

    // Skips to after the terminator; false when there is none.
    bool SkipPast(std::wstring_view terminator) {
        const size_t end = FText.find(terminator, FAt);
        if (end == std::wstring_view::npos) {
            return false;
        }
        FAt = end + terminator.size();
        return true;
    }

    void SkipSpace() {
        while (FAt < FText.size() && IsSpace(FText[FAt])) {
            ++FAt;
        }
    }

    // Blanks, comments and processing instructions around the root.
    void SkipMisc() {
        for (;;) {
            SkipSpace();
            if (Starts(L"<!--")) {
                if (!SkipPast(L"-->")) {
                    FAt = FText.size() + 1; // unterminated: nothing parses
                    return;
                }
            } else if (Starts(L"<?")) {
                if (!SkipPast(L"?>")) {
                    FAt = FText.size() + 1;
                    return;
                }
            } else {
                return;
            }
        }
    }

    std::optional<std::wstring> Name() {
        if (FAt >= FText.size() || !IsNameStart(FText[FAt])) {
            return std::nullopt;
        }
        const size_t start = FAt;
        while (FAt < FText.size() && IsNameChar(FText[FAt])) {
            ++FAt;
        }
        return std::wstring(FText.substr(start, FAt - start));
    }

    // Text up to stop (not included) with references resolved.
    std::optional<std::wstring> CharacterData(wchar_t stop) {
        std::wstring out;
        while (FAt < FText.size() && FText[FAt] != stop) {
            const wchar_t c = FText[FAt];
            if (c == L'<' && stop != L'<') {
                return std::nullopt;
            }
            if (c != L'&') {
                out.push_back(c);
                ++FAt;
                continue;
            }
            const size_t end = FText.find(L';', FAt);
            if (end == std::wstring_view::npos || end - FAt > 12) {
                return std::nullopt;
            }
            const std::wstring_view name = FText.substr(FAt + 1, end - FAt - 1);
            FAt = end + 1;
            static constexpr std::pair<std::wstring_view, wchar_t> kNamed[] = {
                {L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"quot", L'"'}, {L"apos", L'\''}};
            bool known = false;
            for (const auto& [entity, value] : kNamed) {
                if (name == entity) {
                    out.push_back(value);
                    known = true;
                }
            }
            if (known) {
                continue;
            }
            if (name.size() < 2 || name[0] != L'#') {
                return std::nullopt;
            }
            const bool hex = name[1] == L'x';
            const std::wstring_view digits = name.substr(hex ? 2 : 1);
            if (digits.empty()) {
                return std::nullopt;
            }
            uint32_t code = 0;
            for (const wchar_t d : digits) {
                const int value = d >= L'0' && d <= L'9'                ? d - L'0'
                                  : hex && d >= L'a' && d <= L'f'       ? d - L'a' + 10
                                  : hex && d >= L'A' && d <= L'F'       ? d - L'A' + 10
                                                                        : -1;
                if (value < 0 || code > 0x10FFFF) {
                    return std::nullopt;
                }
                code = code * (hex ? 16 : 10) + uint32_t(value);
            }
            if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                return std::nullopt;
            }
            out.push_back(wchar_t(code));
        }
        return out;
    }

    std::unique_ptr<Element> ElementAt(int depth) {
        if (depth > kMaxDepth || !Starts(L"<")) {
            return nullptr;
        }
        ++FAt;
        auto element = std::make_unique<Element>();
        std::optional<std::wstring> name = Name();
        if (!name) {
            return nullptr;
        }
        element->Name = std::move(*name);
        for (;;) {
            const size_t before = FAt;
            SkipSpace();
            if (Starts(L"/>")) {
                FAt += 2;
                return element;
            }
            if (Starts(L">")) {
                ++FAt;
                break;
            }
            std::optional<std::wstring> attribute = FAt != before ? Name() : std::nullopt;
            if (!attribute) {
                return nullptr;
            }
            SkipSpace();
            if (!Starts(L"=")) {
                return nullptr;
            }
            ++FAt;
            SkipSpace();
            if (FAt >= FText.size() || (FText[FAt] != L'"' && FText[FAt] != L'\'')) {
                return nullptr;
            }
            const wchar_t quote = FText[FAt++];
            std::optional<std::wstring> value = CharacterData(quote);
            if (!value || FAt >= FText.size()) {
                return nullptr;
            }
            ++FAt;
            for (const auto& [existing, unused] : element->Attributes) {
                if (existing == *attribute) {
                    return nullptr;
                }
            }
            element->Attributes.emplace_back(std::move(*attribute), std::move(*value));
        }
        // Content up to the matching end tag.
        for (;;) {
            if (FAt >= FText.size()) {
                return nullptr;
            }
            if (Starts(L"</")) {
                FAt += 2;
                const std::optional<std::wstring> end = Name();
                SkipSpace();
                if (!end || *end != element->Name || !Starts(L">")) {
                    return nullptr;
                }
                ++FAt;
                return element;
            }
            if (Starts(L"<!--")) {
                if (!SkipPast(L"-->")) {
                    return nullptr;
                }
            } else if (Starts(L"<?")) {
                if (!SkipPast(L"?>")) {
                    return nullptr;
                }
            } else if (Starts(L"<![CDATA[")) {
                const size_t start = FAt + 9;
                if (!SkipPast(L"]]>")) {
                    return nullptr;
                }
                element->Children.push_back({std::wstring(FText.substr(start, FAt - 3 - start)), nullptr});
            } else if (Starts(L"<")) {
                std::unique_ptr<Element> child = ElementAt(depth + 1);
                if (!child) {
                    return nullptr;
                }
                element->Children.push_back({std::wstring(), std::move(child)});
            } else {
                std::optional<std::wstring> text = CharacterData(L'<');
                if (!text) {
                    return nullptr;
                }
                element->Children.push_back({std::move(*text), nullptr});
            }
        }
    }

    std::wstring_view FText;
    size_t FAt = 0;
};

const Element* FirstNamed(const Element& element, std::wstring_view name) {
    if (element.Name == name) {
        return &element;
    }
    for (const Element::Child& child : element.Children) {
        if (child.Node) {
            if (const Element* found = FirstNamed(*child.Node, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

void AppendText(const Element& element, std::wstring& out) {
    for (const Element::Child& child : element.Children) {
        if (child.Node) {
            AppendText(*child.Node, out);
        } else {
            out += child.Text;
        }
    }
}

void AppendEscaped(std::wstring_view text, std::wstring& out) {
    for (const wchar_t c : text) {
        switch (c) {
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'&': out += L"&amp;"; break;
        case L'"': out += L"&quot;"; break;
        default: out.push_back(c);
        }
    }
}

void AppendXml(const Element& element, std::wstring& out) {
    out += L"<" + element.Name;
    for (const auto& [name, value] : element.Attributes) {
        out += L" " + name + L"=\"";
        AppendEscaped(value, out);
        out += L"\"";
    }
    out += L">";
    for (const Element::Child& child : element.Children) {
        if (child.Node) {
            AppendXml(*child.Node, out);
        } else {
            AppendEscaped(child.Text, out);
        }
    }
    out += L"</" + element.Name + L">";
}

} // namespace

struct XmlDocument::Impl {
    std::unique_ptr<Element> root;
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;

void XmlDocument::LoadXml(std::wstring_view text) { impl_->root = Parser(text).Document(); }

std::wstring XmlDocument::ChildText(std::wstring_view parentName, std::wstring_view childName) const {
    const Element* parent = impl_->root ? FirstNamed(*impl_->root, parentName) : nullptr;
    if (!parent) {
        throw ui::Error(L"The reply has no element " + std::wstring(parentName));
    }
    for (const Element::Child& child : parent->Children) {
        if (child.Node && child.Node->Name == childName) {
            std::wstring text;
            AppendText(*child.Node, text);
            return text;
        }
    }
    throw ui::Error(L"The reply has no element " + std::wstring(parentName) + L"/" + std::wstring(childName));
}

std::wstring XmlDocument::Xml() const {
    std::wstring out;
    if (impl_->root) {
        AppendXml(*impl_->root, out);
    }
    return out;
}

} // namespace app::comm

namespace ui {

// The toolkit's conversion, for the reply rules' error texts.
std::string WideToUtf8(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<uint32_t>(c);
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace ui
