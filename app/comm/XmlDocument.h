#pragma once
// An XML DOM document (MSXML), loaded from a string with asynchronous loading
// off. Only what the login reply and the saved login file need.

#include <memory>
#include <string>
#include <string_view>

namespace app::comm {

class XmlDocument {
public:
    XmlDocument();   // throws ui::Error when no DOM document can be created
    ~XmlDocument();
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;

    // Parses text; whether the parse succeeded is not reported (a failed
    // parse leaves a document without elements).
    void LoadXml(std::wstring_view text);

    // Text of the first element childName under the document's first element
    // parentName ("con"), untrimmed. Throws ui::Error naming what is missing.
    std::wstring ChildText(std::wstring_view parentName, std::wstring_view childName) const;

    // The whole document serialised as the parser produces it.
    std::wstring Xml() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace app::comm
