#include "tinyxml_walk.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// TinyXML's own reading of white space and names, which it keeps for its
// node classes.
class TinyXmlLexer : public TiXmlBase
{
public:
    using TiXmlBase::IsAlpha;
    using TiXmlBase::ReadName;
    using TiXmlBase::SkipWhiteSpace;
    using TiXmlBase::StringEqual;
};

// The walk keeps, for every element it is inside, its name (for its end
// tag) and what it is to the chord file.
enum class Role
{
    OTHER,
    ROOT,
    INSTRUMENT,
};

struct OpenElement
{
    std::string name;
    Role role;
};

// The encoding TinyXML takes from the first declaration: UTF-8 for that
// name (or the beginning of it) or none, the 8-bit way for any other.
TiXmlEncoding EncodingNamed(const char* name)
{
    const bool utf8 = *name == '\0' || TinyXmlLexer::StringEqual(name, "UTF-8", true, TIXML_ENCODING_UNKNOWN) ||
                      TinyXmlLexer::StringEqual(name, "UTF8", true, TIXML_ENCODING_UNKNOWN);
    return utf8 ? TIXML_ENCODING_UTF8 : TIXML_ENCODING_LEGACY;
}

class TinyXmlWalk
{
public:
    TinyXmlWalk(const char* text, const ChordElementParser& parseChord) : m_text(text), m_parseChord(parseChord)
    {
        m_open.reserve(MAX_ELEMENT_DEPTH);
        m_attributeNames.reserve(MAX_ATTRIBUTES_PER_ELEMENT);
    }

    WalkResult Run();

private:
    const char* SkipWhiteSpace(const char* p) const { return TinyXmlLexer::SkipWhiteSpace(p, m_encoding); }
    bool IsElementStart(const char* p) const
    {
        return p[0] == '<' && (TinyXmlLexer::IsAlpha(static_cast<unsigned char>(p[1]), m_encoding) || p[1] == '_');
    }
    WalkResult Stop(WalkEnd end) const { return {end, m_hasRoot, m_chords}; }

    const char* ReadOtherNode(const char* p);
    const char* ReadStartTag(const char* p);
    const char* ReadElement(const char* p);
    Role RoleOf(const std::string& name) const;

    const char* m_text;
    const ChordElementParser& m_parseChord;
    TiXmlEncoding m_encoding = TIXML_ENCODING_UNKNOWN;
    std::vector<OpenElement> m_open;
    std::size_t m_depth = 0;  // elements of m_open in use; their strings are reused
    std::vector<std::string> m_attributeNames;
    TiXmlAttribute m_attribute;
    bool m_beyondLimits = false;
    bool m_hasRoot = false;
    bool m_hasInstrument = false;
    std::size_t m_chords = 0;
};

// Any node but an element, at its '<', told apart as TiXmlNode::Identify
// does, and read by TinyXML's own class for it: none of them nests.
const char* TinyXmlWalk::ReadOtherNode(const char* p)
{
    if (TinyXmlLexer::StringEqual(p, "<?xml", true, m_encoding))
        return TiXmlDeclaration().Parse(p, nullptr, m_encoding);
    if (TinyXmlLexer::StringEqual(p, "<!--", false, m_encoding))
        return TiXmlComment().Parse(p, nullptr, m_encoding);
    // A text node finds its CDATA opening itself.
    if (TinyXmlLexer::StringEqual(p, "<![CDATA[", false, m_encoding))
        return TiXmlText("").Parse(p, nullptr, m_encoding);
    return TiXmlUnknown().Parse(p, nullptr, m_encoding);
}

Role TinyXmlWalk::RoleOf(const std::string& name) const
{
    if (m_depth == 0 && !m_hasRoot && name == "chords_xml_table")
        return Role::ROOT;
    if (m_depth == 1 && m_open[0].role == Role::ROOT && !m_hasInstrument && name == "instrument")
        return Role::INSTRUMENT;
    return Role::OTHER;
}

// The start tag of the element at p, as TiXmlElement::Parse reads it up to
// its content; an element with content is then open. A chord goes to the
// chord parser whole instead.
const char* TinyXmlWalk::ReadStartTag(const char* p)
{
    const char* const start = p;
    if (m_depth == m_open.size())
    {
        if (m_depth == MAX_ELEMENT_DEPTH)
        {
            m_beyondLimits = true;
            return nullptr;
        }
        m_open.emplace_back();
    }
    OpenElement& element = m_open[m_depth];
    p = TinyXmlLexer::ReadName(SkipWhiteSpace(p + 1), &element.name, m_encoding);
    // TinyXML keeps an element whose name it read, whatever comes after it.
    if (p != nullptr && m_depth == 2 && m_open[1].role == Role::INSTRUMENT && element.name == "chord")
    {
        ++m_chords;
        if (m_parseChord)
            return m_parseChord(start, m_encoding);
    }
    if (p == nullptr || *p == '\0')
        return nullptr;
    element.role = RoleOf(element.name);
    m_hasRoot = m_hasRoot || element.role == Role::ROOT;
    m_hasInstrument = m_hasInstrument || element.role == Role::INSTRUMENT;
    ++m_depth;

    m_attributeNames.clear();
    for (;;)
    {
        p = SkipWhiteSpace(p);
        if (p == nullptr || *p == '\0')
            return nullptr;
        if (*p == '/' || *p == '>')
        {
            if (*p == '/')
            {
                --m_depth;
                if (*++p != '>')
                    return nullptr;
            }
            return p + 1;
        }
        if (m_attributeNames.size() == MAX_ATTRIBUTES_PER_ELEMENT)
        {
            m_beyondLimits = true;
            return nullptr;
        }
        p = m_attribute.Parse(p, nullptr, m_encoding);
        if (p == nullptr || *p == '\0')
            return nullptr;
        // TinyXML takes the same name twice as a fault.
        const std::string& name = m_attribute.NameTStr();
        if (std::find(m_attributeNames.begin(), m_attributeNames.end(), name) != m_attributeNames.end())
            return nullptr;
        m_attributeNames.push_back(name);
    }
}

// The element at p with everything in it, level after level as
// TiXmlElement::Parse and ReadValue recurse, without recursing here.
const char* TinyXmlWalk::ReadElement(const char* p)
{
    const std::size_t outer = m_depth;
    for (;;)
    {
        p = ReadStartTag(p);
        if (p == nullptr)
            return nullptr;
        if (m_depth == outer)
            return p;
        // The content of the innermost open element up to its end tag;
        // closing it may end its parent's content too.
        for (;;)
        {
            p = SkipWhiteSpace(p);
            while (p != nullptr && *p != '\0' && !TinyXmlLexer::StringEqual(p, "</", false, m_encoding) &&
                   !IsElementStart(p))
                p = SkipWhiteSpace(*p == '<' ? ReadOtherNode(p) : TiXmlText("").Parse(p, nullptr, m_encoding));
            if (p == nullptr || *p == '\0')
                return nullptr;
            if (IsElementStart(p))
                break;
            const std::string& name = m_open[m_depth - 1].name;
            if (std::strncmp(p + 2, name.c_str(), name.size()) != 0)
                return nullptr;
            p = SkipWhiteSpace(p + 2 + name.size());
            if (p == nullptr || *p != '>')
                return nullptr;
            ++p;
            if (--m_depth == outer)
                return p;
        }
    }
}

// As TiXmlDocument::Parse: nodes at the top level until the text ends or
// holds no node; the first declaration sets the encoding of all after it.
WalkResult TinyXmlWalk::Run()
{
    const char* p = m_text;
    if (*p == '\0')
        return Stop(WalkEnd::STOPS_EARLY);
    if (std::strncmp(p, "\xEF\xBB\xBF", 3) == 0)
        m_encoding = TIXML_ENCODING_UTF8;
    p = SkipWhiteSpace(p);
    if (p == nullptr || *p == '\0')
        return Stop(WalkEnd::STOPS_EARLY);
    while (p != nullptr && *p != '\0')
    {
        if (*p != '<')
            return Stop(WalkEnd::STOPS_EARLY);
        if (TinyXmlLexer::StringEqual(p, "<?xml", true, m_encoding))
        {
            TiXmlDeclaration declaration;
            p = declaration.Parse(p, nullptr, m_encoding);
            if (m_encoding == TIXML_ENCODING_UNKNOWN)
                m_encoding = EncodingNamed(declaration.Encoding());
        }
        else
            p = IsElementStart(p) ? ReadElement(p) : ReadOtherNode(p);
        if (m_beyondLimits)
            return Stop(WalkEnd::BEYOND_LIMITS);
        if (p == nullptr)
            return Stop(WalkEnd::STOPS_EARLY);
        p = SkipWhiteSpace(p);
    }
    return Stop(WalkEnd::COMPLETE);
}

}  // namespace

WalkResult WalkAsTinyXml(const char* text, const ChordElementParser& parseChord)
{
    return TinyXmlWalk(text, parseChord).Run();
}
