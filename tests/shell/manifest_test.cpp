// The program's manifest as the program carries it: the system's own parser
// takes it and finds the DPI settings where it looks for them, and the
// settings sit in the elements that Windows XP passes over (the asm.v3
// application element; an element XP does not know in a namespace it does
// know stops the program from starting there).
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "win/Handles.h"

namespace {

const wchar_t asmV1[] = L"urn:schemas-microsoft-com:asm.v1";
const wchar_t asmV3[] = L"urn:schemas-microsoft-com:asm.v3";
const wchar_t settings2005[] = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
const wchar_t settings2016[] = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";

// The program's manifest: resource 1 of type RT_MANIFEST of this test
// program, which links the program's resources.
std::string manifestText()
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    return bytes != nullptr ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found))
                            : std::string();
}

std::wstring widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// One element with its namespace resolved from the xmlns declarations in
// scope, its own text and its children.
struct Element {
    std::wstring space;
    std::string name;
    std::string text;
    std::vector<Element> children;

    const Element* child(const std::wstring& childSpace, const std::string& childName) const
    {
        for (const Element& c : children)
            if (c.space == childSpace && c.name == childName)
                return &c;
        return nullptr;
    }
};

// Reads the elements, attributes, comments and text of a manifest; enough
// XML for one, and strict about what it reads: an unbalanced or unknown
// construct is an error.
class ManifestReader {
public:
    explicit ManifestReader(std::string text) : text_(std::move(text)) {}

    Element document()
    {
        skipMisc();
        Element root = element({});
        skipMisc();
        if (at_ != text_.size())
            fail("text after the root element");
        return root;
    }

private:
    using Scope = std::map<std::string, std::wstring>;  // prefix ("" = default) to namespace

    [[noreturn]] void fail(const std::string& what) const
    {
        throw std::runtime_error(what + " at byte " + std::to_string(at_));
    }

    bool startsWith(const char* prefix) const
    {
        return text_.compare(at_, std::char_traits<char>::length(prefix), prefix) == 0;
    }

    void skipPast(const char* end)
    {
        const std::size_t found = text_.find(end, at_);
        if (found == std::string::npos)
            fail(std::string("no ") + end);
        at_ = found + std::char_traits<char>::length(end);
    }

    void skipSpace()
    {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }

    // Space, the XML declaration, a byte-order mark and comments.
    void skipMisc()
    {
        for (;;) {
            skipSpace();
            if (startsWith("\xEF\xBB\xBF"))
                at_ += 3;
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!--"))
                skipPast("-->");
            else
                return;
        }
    }

    std::string name()
    {
        const std::size_t start = at_;
        while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == ':' ||
                                      text_[at_] == '_' || text_[at_] == '-' || text_[at_] == '.'))
            ++at_;
        if (at_ == start)
            fail("a name expected");
        return text_.substr(start, at_ - start);
    }

    void expect(char c)
    {
        if (at_ >= text_.size() || text_[at_] != c)
            fail(std::string("'") + c + "' expected");
        ++at_;
    }

    Element element(Scope scope)
    {
        expect('<');
        const std::string qualified = name();
        std::map<std::string, std::string> attributes;
        for (;;) {
            skipSpace();
            if (startsWith("/>") || startsWith(">"))
                break;
            const std::string attribute = name();
            skipSpace();
            expect('=');
            skipSpace();
            const char quote = at_ < text_.size() ? text_[at_] : '\0';
            if (quote != '"' && quote != '\'')
                fail("a quoted value expected");
            ++at_;
            const std::size_t end = text_.find(quote, at_);
            if (end == std::string::npos)
                fail("an unterminated value");
            attributes[attribute] = text_.substr(at_, end - at_);
            at_ = end + 1;
        }
        for (const auto& [attribute, value] : attributes) {
            if (attribute == "xmlns")
                scope[""] = widened(value);
            else if (attribute.compare(0, 6, "xmlns:") == 0)
                scope[attribute.substr(6)] = widened(value);
        }

        Element result;
        const std::size_t colon = qualified.find(':');
        const std::string prefix = colon == std::string::npos ? "" : qualified.substr(0, colon);
        result.name = colon == std::string::npos ? qualified : qualified.substr(colon + 1);
        const auto space = scope.find(prefix);
        if (space == scope.end() && !prefix.empty())
            fail("the undeclared prefix " + prefix);
        result.space = space != scope.end() ? space->second : std::wstring();

        if (startsWith("/>")) {
            at_ += 2;
            return result;
        }
        expect('>');
        for (;;) {
            if (at_ >= text_.size())
                fail("</" + qualified + "> missing");
            if (startsWith("</")) {
                at_ += 2;
                if (name() != qualified)
                    fail("</" + qualified + "> expected");
                skipSpace();
                expect('>');
                return result;
            }
            if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<"))
                result.children.push_back(element(scope));
            else
                result.text += text_[at_++];
        }
    }

    std::string text_;
    std::size_t at_ = 0;
};

// The names of a comma-separated list, in order.
std::vector<std::string> listItems(const std::string& text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        items.push_back(trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

// Windows XP reads the asm.v1 namespace and refuses a manifest with an
// element of it that it does not know; elements of other namespaces it
// passes over.
void expectOnlyElementsXpKnowsInItsNamespace(const Element& element)
{
    static const char* const known[] = {
        "assembly", "assemblyIdentity", "description", "dependency", "dependentAssembly", "file", "comClass",
        "typelib", "windowClass", "noInherit", "noInheritable", "comInterfaceExternalProxyStub", "bindingRedirect",
    };
    if (element.space == asmV1) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || element.name == name;
        EXPECT_TRUE(isKnown) << "Windows XP does not know the asm.v1 element " << element.name;
    }
    for (const Element& child : element.children)
        expectOnlyElementsXpKnowsInItsNamespace(child);
}

TEST(Manifest, DpiSettingsAreInTheElementsWindowsXpPassesOver)
{
    const std::string text = manifestText();
    ASSERT_FALSE(text.empty()) << "no manifest resource";
    Element root;
    try {
        root = ManifestReader(text).document();
    } catch (const std::runtime_error& error) {
        FAIL() << "the manifest is not well-formed: " << error.what();
    }
    EXPECT_TRUE(root.space == asmV1 && root.name == "assembly") << "the root is " << root.name;

    const Element* application = root.child(asmV3, "application");
    ASSERT_NE(application, nullptr) << "no application element in the asm.v3 namespace under the root";
    const Element* windowsSettings = application->child(asmV3, "windowsSettings");
    ASSERT_NE(windowsSettings, nullptr) << "no windowsSettings element in the asm.v3 namespace";

    const Element* dpiAware = windowsSettings->child(settings2005, "dpiAware");
    ASSERT_NE(dpiAware, nullptr) << "no dpiAware in the 2005 WindowsSettings namespace";
    EXPECT_EQ(trimmed(dpiAware->text), "true");

    const Element* dpiAwareness = windowsSettings->child(settings2016, "dpiAwareness");
    ASSERT_NE(dpiAwareness, nullptr) << "no dpiAwareness in the 2016 WindowsSettings namespace";
    const std::vector<std::string> awareness = listItems(dpiAwareness->text);
    ASSERT_GE(awareness.size(), 2u) << dpiAwareness->text;
    EXPECT_EQ(awareness[0], "PerMonitorV2");
    // What Windows 10 1607, which knows no version 2, takes instead.
    EXPECT_EQ(awareness[1], "PerMonitor");

    expectOnlyElementsXpKnowsInItsNamespace(root);
}

using UniqueActivationContext = UniqueAny<HANDLE, ReleaseActCtx, invalidHandleValue>;
using QueryActCtxSettings = BOOL(WINAPI*)(DWORD, HANDLE, PCWSTR, PCWSTR, PWSTR, SIZE_T, SIZE_T*);

// What the system's own manifest parser reads for a setting; empty when it
// finds none.
std::wstring systemSetting(QueryActCtxSettings query, HANDLE context, const wchar_t* space, const wchar_t* setting)
{
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!query(0, context, space, setting, value, 128, &written))
        return std::wstring();
    return value;
}

TEST(Manifest, TheSystemsParserReadsTheDpiSettings)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const UniqueActivationContext context(CreateActCtxW(&request));
    ASSERT_TRUE(context) << "the system does not take the manifest, error " << GetLastError();

    const auto query = reinterpret_cast<QueryActCtxSettings>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryActCtxSettingsW")));
    if (query == nullptr)
        GTEST_SKIP() << "this system reads no DPI settings from manifests (before Windows 7)";
    EXPECT_EQ(systemSetting(query, context.get(), settings2005, L"dpiAware"), L"true");
    EXPECT_EQ(systemSetting(query, context.get(), settings2016, L"dpiAwareness"), L"PerMonitorV2, PerMonitor");
}

}  // namespace
