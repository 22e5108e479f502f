// What TinyXML can bear of a text, checked before it parses it. Its parse
// recurses once per level of nesting (the stack runs out at some 50,000
// levels) and looks up every new attribute among the element's others (time
// grows with their square). A chord file needs four levels and two
// attributes, so far tighter limits than those still admit every real file.
#pragma once

constexpr int MAX_ELEMENT_DEPTH = 64;
constexpr int MAX_ATTRIBUTES_PER_ELEMENT = 64;

// How TinyXML reads a text, in each of the two ways it may take it.
struct ParserReach
{
    // Neither way nests deeper or reads more attributes into one element
    // than the limits.
    bool withinLimits;
    // TinyXML takes every node of the text up to its end when it reads it
    // as UTF-8 after the declaration, or in the 8-bit (legacy) way.
    bool completeAsUtf8;
    bool completeAsLegacy;
};

// Follows TinyXML's own reading of the zero-terminated text node by node,
// without recursion and in time linear in its length. Four more zero bytes
// must stand behind the terminating one: TinyXML steps over a multi-byte
// sequence whole, also across the end.
ParserReach CheckParserReach(const char* text);

class TiXmlDocument;

// Which of the two ways TinyXML took for the document parsed from text: a
// byte-order mark, or a first declaration naming UTF-8 or no encoding, make
// it UTF-8.
bool TakesTextAsUtf8(const TiXmlDocument& document, const char* text);
