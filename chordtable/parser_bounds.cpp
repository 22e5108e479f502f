#include "parser_bounds.h"

#include <cctype>
#include <cstring>
#include <vector>

#include <tinyxml.h>

namespace {

// How far one reading gets.
enum class ParserBounds
{
    // TinyXML takes every node of the text up to its end.
    COMPLETE,
    // TinyXML stops before the end (a fault, or text it does not take as a
    // node); what it read up to there is within the limits.
    STOPS_EARLY,
    // TinyXML would nest deeper or read more attributes into one element
    // than the limits.
    BEYOND_LIMITS,
};

// TinyXML's character classes, with the C library's functions it uses, so
// that both see the same characters under the same locale.
bool IsWhiteSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r';
}

bool IsNameStart(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 127 ? std::isalpha(byte) != 0 : true) || c == '_';
}

bool IsNameChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 127 ? std::isalnum(byte) != 0 : true) || c == '_' || c == '-' || c == '.' || c == ':';
}

bool StartsWith(const char* p, const char* tag)
{
    return std::strncmp(p, tag, std::strlen(tag)) == 0;
}

bool StartsWithIgnoringCase(const char* p, const char* tag)
{
    for (; *tag != '\0'; ++p, ++tag)
        if (std::tolower(static_cast<unsigned char>(*p)) != std::tolower(static_cast<unsigned char>(*tag)))
            return false;
    return true;
}

// The three-byte sequences that TinyXML passes over as white space in UTF-8
// mode: the byte-order mark and two non-characters.
bool IsSkippedUtf8Sequence(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] == 0xEF && ((u[1] == 0xBB && u[2] == 0xBF) || (u[1] == 0xBF && (u[2] == 0xBE || u[2] == 0xBF)));
}

// One reading of the text as TinyXML 2.6.2 reads it. Every member that
// reads returns the position behind what it read, or nullptr where TinyXML
// gives up. The encoding decides how text steps (multi-byte sequences whole
// in UTF-8) and what counts as white space.
class TinyXmlWalk
{
public:
    TinyXmlWalk(const char* text, bool utf8AfterDeclaration)
        : m_text(text), m_utf8AfterDeclaration(utf8AfterDeclaration)
    {
        m_openElements.reserve(MAX_ELEMENT_DEPTH + 1);
    }

    ParserBounds Run();

    // Whether the reading took a step that only UTF-8 mode takes, so that
    // the other encoding might read the text differently.
    bool TookUtf8Step() const { return m_tookUtf8Step; }

private:
    struct Name
    {
        const char* start;
        std::size_t length;
    };

    const char* SkipWhiteSpace(const char* p);
    const char* StepChar(const char* p);
    static const char* StepCharacterReference(const char* p);
    static const char* ReadName(const char* p);
    const char* ReadUpTo(const char* p, char end);
    const char* ReadAttribute(const char* p);
    const char* ReadTextNode(const char* p);
    const char* ReadNode(const char* p);
    const char* ReadDeclaration(const char* p);
    static const char* ReadComment(const char* p);
    static const char* ReadCData(const char* p);
    static const char* ReadUnknown(const char* p);
    const char* ReadStartTag(const char* p, bool* hasContent);
    const char* ReadElement(const char* p);

    const char* m_text;
    bool m_utf8AfterDeclaration;
    bool m_utf8 = false;
    bool m_tookUtf8Step = false;
    bool m_beyondLimits = false;
    std::vector<Name> m_openElements;
};

const char* TinyXmlWalk::SkipWhiteSpace(const char* p)
{
    if (p == nullptr || *p == '\0')
        return nullptr;
    for (;;)
    {
        if (m_utf8 && IsSkippedUtf8Sequence(p))
        {
            m_tookUtf8Step = true;
            p += 3;
        }
        else if (*p != '\0' && IsWhiteSpace(*p))
            ++p;
        else
            return p;
    }
}

// In UTF-8 mode a lead byte takes its whole sequence, whatever follows it.
const char* TinyXmlWalk::StepChar(const char* p)
{
    const int length = m_utf8 ? TiXmlBase::utf8ByteTable[static_cast<unsigned char>(*p)] : 1;
    if (length > 1)
    {
        m_tookUtf8Step = true;
        return p + length;
    }
    return *p == '&' ? StepCharacterReference(p) : p + 1;
}

// "&#x...;" and "&#...;" reach to the next ';' of the text, and are taken
// when the digits behind the last 'x' or '#' before it are hex or decimal
// digits; TinyXML gives up otherwise. A named entity holds no character
// that ends a text, so stepping over its '&' alone reads the same.
const char* TinyXmlWalk::StepCharacterReference(const char* p)
{
    if (p[1] != '#' || p[2] == '\0')
        return p + 1;
    const bool hex = p[2] == 'x';
    if (hex && p[3] == '\0')
        return nullptr;
    const char* semicolon = std::strchr(p + (hex ? 3 : 2), ';');
    if (semicolon == nullptr)
        return nullptr;
    for (const char* digit = semicolon - 1; *digit != (hex ? 'x' : '#'); --digit)
        if (!(hex ? std::isxdigit(static_cast<unsigned char>(*digit)) : std::isdigit(static_cast<unsigned char>(*digit))))
            return nullptr;
    return semicolon + 1;
}

const char* TinyXmlWalk::ReadName(const char* p)
{
    if (p == nullptr || *p == '\0' || !IsNameStart(*p))
        return nullptr;
    while (*p != '\0' && IsNameChar(*p))
        ++p;
    return p;
}

// A quoted attribute value up to its closing quote.
const char* TinyXmlWalk::ReadUpTo(const char* p, char end)
{
    while (p != nullptr && *p != '\0' && *p != end)
        p = StepChar(p);
    if (p == nullptr || *p == '\0' || p[1] == '\0')
        return nullptr;
    return p + 1;
}

const char* TinyXmlWalk::ReadAttribute(const char* p)
{
    p = ReadName(SkipWhiteSpace(p));
    p = SkipWhiteSpace(p);
    if (p == nullptr || *p != '=')
        return nullptr;
    p = SkipWhiteSpace(p + 1);
    if (p == nullptr)
        return nullptr;
    if (*p == '"' || *p == '\'')
        return ReadUpTo(p + 1, *p);
    for (; *p != '\0' && !IsWhiteSpace(*p) && *p != '/' && *p != '>'; ++p)
        if (*p == '"' || *p == '\'')
            return nullptr;
    return p;
}

// Text content up to the next '<', which must not be the last character.
const char* TinyXmlWalk::ReadTextNode(const char* p)
{
    p = SkipWhiteSpace(p);
    while (p != nullptr && *p != '\0' && *p != '<')
        p = IsWhiteSpace(*p) ? p + 1 : StepChar(p);
    if (p == nullptr || *p == '\0' || p[1] == '\0')
        return nullptr;
    return p;
}

const char* TinyXmlWalk::ReadDeclaration(const char* p)
{
    p += std::strlen("<?xml");
    while (p != nullptr && *p != '\0')
    {
        if (*p == '>')
            return p + 1;
        p = SkipWhiteSpace(p);
        if (p == nullptr)
            return nullptr;
        if (StartsWithIgnoringCase(p, "version") || StartsWithIgnoringCase(p, "encoding")
            || StartsWithIgnoringCase(p, "standalone"))
            p = ReadAttribute(p);
        else
            while (*p != '\0' && *p != '>' && !IsWhiteSpace(*p))
                ++p;
    }
    return nullptr;
}

const char* TinyXmlWalk::ReadComment(const char* p)
{
    for (p += std::strlen("<!--"); *p != '\0'; ++p)
        if (StartsWith(p, "-->"))
            return p + 3;
    return p;
}

const char* TinyXmlWalk::ReadCData(const char* p)
{
    for (p += std::strlen("<![CDATA["); *p != '\0'; ++p)
        if (StartsWith(p, "]]>"))
            return p[3] != '\0' ? p + 3 : nullptr;
    return nullptr;
}

const char* TinyXmlWalk::ReadUnknown(const char* p)
{
    for (++p; *p != '\0'; ++p)
        if (*p == '>')
            return p + 1;
    return p;
}

// Any node but an element, at its '<'.
const char* TinyXmlWalk::ReadNode(const char* p)
{
    if (StartsWithIgnoringCase(p, "<?xml"))
        return ReadDeclaration(p);
    if (StartsWith(p, "<!--"))
        return ReadComment(p);
    if (StartsWith(p, "<![CDATA["))
        return ReadCData(p);
    return ReadUnknown(p);
}

bool IsElementStart(const char* p)
{
    return p[0] == '<' && IsNameStart(p[1]);
}

// The start tag at p; an element with content stays open.
const char* TinyXmlWalk::ReadStartTag(const char* p, bool* hasContent)
{
    const char* name = SkipWhiteSpace(p + 1);
    p = ReadName(name);
    if (p == nullptr || *p == '\0')
        return nullptr;
    if (m_openElements.size() == MAX_ELEMENT_DEPTH)
    {
        m_beyondLimits = true;
        return nullptr;
    }
    m_openElements.push_back({name, static_cast<std::size_t>(p - name)});
    for (int attributes = 0;;)
    {
        p = SkipWhiteSpace(p);
        if (p == nullptr)
            return nullptr;
        if (*p == '/' || *p == '>')
        {
            *hasContent = *p == '>';
            if (*p == '/' && *++p != '>')
                return nullptr;
            return p + 1;
        }
        if (++attributes > MAX_ATTRIBUTES_PER_ELEMENT)
        {
            m_beyondLimits = true;
            return nullptr;
        }
        p = ReadAttribute(p);
        if (p == nullptr || *p == '\0')
            return nullptr;
    }
}

// The element at p with everything in it, one level after the other as
// TinyXML recurses, without recursing here.
const char* TinyXmlWalk::ReadElement(const char* p)
{
    m_openElements.clear();
    for (bool atStartTag = true;;)
    {
        if (atStartTag)
        {
            bool hasContent = false;
            p = ReadStartTag(p, &hasContent);
            if (p == nullptr)
                return nullptr;
            if (!hasContent)
            {
                m_openElements.pop_back();
                if (m_openElements.empty())
                    return p;
            }
        }
        p = SkipWhiteSpace(p);
        while (p != nullptr && *p != '\0' && !StartsWith(p, "</") && !IsElementStart(p))
            p = SkipWhiteSpace(*p == '<' ? ReadNode(p) : ReadTextNode(p));
        if (p == nullptr || *p == '\0')
            return nullptr;
        atStartTag = IsElementStart(p);
        if (atStartTag)
            continue;

        const Name& name = m_openElements.back();
        if (std::strncmp(p + 2, name.start, name.length) != 0)
            return nullptr;
        p = SkipWhiteSpace(p + 2 + name.length);
        if (p == nullptr || *p != '>')
            return nullptr;
        ++p;
        m_openElements.pop_back();
        if (m_openElements.empty())
            return p;
    }
}

ParserBounds TinyXmlWalk::Run()
{
    m_utf8 = StartsWith(m_text, "\xEF\xBB\xBF");
    bool encodingKnown = m_utf8;
    const char* p = SkipWhiteSpace(m_text);
    if (p == nullptr || *p == '\0')
        return ParserBounds::STOPS_EARLY;
    while (*p != '\0')
    {
        if (*p != '<')
            return ParserBounds::STOPS_EARLY;
        const bool declaration = StartsWithIgnoringCase(p, "<?xml");
        p = IsElementStart(p) ? ReadElement(p) : ReadNode(p);
        if (m_beyondLimits)
            return ParserBounds::BEYOND_LIMITS;
        if (p == nullptr)
            return ParserBounds::STOPS_EARLY;
        if (declaration && !encodingKnown)
        {
            encodingKnown = true;
            m_utf8 = m_utf8AfterDeclaration;
        }
        p = SkipWhiteSpace(p);
        if (p == nullptr)
            break;
    }
    return ParserBounds::COMPLETE;
}

} // namespace

// The first declaration decides the encoding by a name that may be written
// with character references; rather than decode it here, the text is read
// both ways where the two could differ.
ParserReach CheckParserReach(const char* text)
{
    TinyXmlWalk utf8Walk(text, true);
    const ParserBounds utf8Bounds = utf8Walk.Run();
    const ParserBounds legacyBounds = utf8Walk.TookUtf8Step() ? TinyXmlWalk(text, false).Run() : utf8Bounds;
    return {utf8Bounds != ParserBounds::BEYOND_LIMITS && legacyBounds != ParserBounds::BEYOND_LIMITS,
            utf8Bounds == ParserBounds::COMPLETE, legacyBounds == ParserBounds::COMPLETE};
}

bool TakesTextAsUtf8(const TiXmlDocument& document, const char* text)
{
    if (StartsWith(text, "\xEF\xBB\xBF"))
        return true;
    for (const TiXmlNode* node = document.FirstChild(); node != nullptr; node = node->NextSibling())
        if (const TiXmlDeclaration* declaration = node->ToDeclaration())
        {
            const char* encoding = declaration->Encoding();
            return *encoding == '\0' || StartsWithIgnoringCase(encoding, "UTF-8")
                || StartsWithIgnoringCase(encoding, "UTF8");
        }
    return false;
}
