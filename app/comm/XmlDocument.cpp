#include "app/comm/XmlDocument.h"

#include "app/comm/OleSession.h"
#include "ui/Application.h"
#include "ui/ComTypes.h"

#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cwchar>
#include <memory>
#include <string>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace app::comm {

namespace {

// Our MinGW headers predate these identifiers.
constexpr CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr IID kIXmlDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

using ui::UniqueBstr;
using ui::UniqueVariant;

void Check(HRESULT hr, const wchar_t* step) {
    if (FAILED(hr)) {
        wchar_t code[16];
        swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
        throw ui::Error(std::wstring(L"XML: ") + step + L" failed (" + code + L")");
    }
}

void SetProperty(IXMLDOMDocument2* document, const wchar_t* name, const UniqueVariant& value) {
    const UniqueBstr bstrName(name);
    Check(document->setProperty(bstrName.get(), value.value()), name);
}

// A node, or nothing when the query matches none.
ComPtr<IXMLDOMNode> SelectSingle(IXMLDOMNode* from, std::wstring_view query) {
    const UniqueBstr bstrQuery(query);
    ComPtr<IXMLDOMNode> node;
    const HRESULT hr = from->selectSingleNode(bstrQuery.get(), node.GetAddressOf());
    Check(hr, L"selectSingleNode");
    return hr == S_OK ? node : nullptr;
}

bool IsXmlSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// The text without the encoding pseudo-attribute of its XML declaration. The
// text is already UTF-16, so the declared encoding means nothing; some MSXML
// builds try to honour it anyway and then fail on the service's "gb2312".
std::wstring WithoutDeclaredEncoding(std::wstring_view text) {
    constexpr std::wstring_view kOpen = L"<?xml";
    constexpr std::wstring_view kName = L"encoding";
    if (text.substr(0, kOpen.size()) != kOpen || text.size() <= kOpen.size() || !IsXmlSpace(text[kOpen.size()])) {
        return std::wstring(text);
    }
    const size_t close = text.find(L"?>");
    const size_t name = text.substr(0, close).find(kName);
    if (close == std::wstring_view::npos || name == std::wstring_view::npos || !IsXmlSpace(text[name - 1])) {
        return std::wstring(text);
    }
    size_t i = name + kName.size();
    while (i < close && IsXmlSpace(text[i])) {
        ++i;
    }
    if (i >= close || text[i] != L'=') {
        return std::wstring(text);
    }
    ++i;
    while (i < close && IsXmlSpace(text[i])) {
        ++i;
    }
    if (i >= close || (text[i] != L'"' && text[i] != L'\'')) {
        return std::wstring(text);
    }
    const size_t end = text.find(text[i], i + 1);
    if (end == std::wstring_view::npos || end >= close) {
        return std::wstring(text);
    }
    size_t start = name;
    while (IsXmlSpace(text[start - 1])) {
        --start;
    }
    std::wstring result(text.substr(0, start));
    result.append(text.substr(end + 1));
    return result;
}

} // namespace

struct XmlDocument::Impl {
    ComPtr<IXMLDOMDocument2> document;
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {
    EnsureOle();
    HRESULT hr = CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kIXmlDomDocument2,
                                  reinterpret_cast<void**>(impl_->document.GetAddressOf()));
    if (FAILED(hr)) {
        hr = CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, kIXmlDomDocument2,
                              reinterpret_cast<void**>(impl_->document.GetAddressOf()));
    }
    Check(hr, L"creating the DOM document");
    IXMLDOMDocument2* document = impl_->document.Get();
    Check(document->put_async(VARIANT_FALSE), L"async");
    // Replies come from the network: no DTDs, nothing fetched from elsewhere.
    Check(document->put_resolveExternals(VARIANT_FALSE), L"resolveExternals");
    Check(document->put_validateOnParse(VARIANT_FALSE), L"validateOnParse");
    SetProperty(document, L"ProhibitDTD", UniqueVariant::Boolean(true));
    SetProperty(document, L"SelectionLanguage", UniqueVariant::Text(L"XPath"));
}

XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&& other) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept = default;

void XmlDocument::LoadXml(std::wstring_view text) {
    // Documents with a type declaration are refused outright, as
    // ProhibitDTD asks; not every MSXML build honours that property.
    const bool hasDocumentType = text.find(L"<!DOCTYPE") != std::wstring_view::npos;
    const UniqueBstr bstrText(hasDocumentType ? std::wstring() : WithoutDeclaredEncoding(text));
    VARIANT_BOOL parsed = VARIANT_FALSE;
    // S_FALSE means the text did not parse; the document is then empty, which
    // the lookups report.
    Check(impl_->document->loadXML(bstrText.get(), &parsed), L"loadXML");
}

std::wstring XmlDocument::ChildText(std::wstring_view parentName, std::wstring_view childName) const {
    const ComPtr<IXMLDOMNode> parent = SelectSingle(impl_->document.Get(), L"//" + std::wstring(parentName));
    if (!parent) {
        throw ui::Error(L"The reply has no element " + std::wstring(parentName));
    }
    const ComPtr<IXMLDOMNode> child = SelectSingle(parent.Get(), childName);
    if (!child) {
        throw ui::Error(L"The reply has no element " + std::wstring(parentName) + L"/" + std::wstring(childName));
    }
    UniqueBstr text;
    Check(child->get_text(text.put()), L"text");
    return text.str();
}

std::wstring XmlDocument::Xml() const {
    UniqueBstr text;
    Check(impl_->document->get_xml(text.put()), L"xml");
    return text.str();
}

} // namespace app::comm
