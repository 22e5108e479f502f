// A walk through a text node by node as TinyXML's document parse goes,
// without building the document and without recursion. It serves two ends:
// to see, before TinyXML parses anything, whether the text is within what
// TinyXML bears (its parse recurses once per level of nesting, and the
// stack runs out at some 50,000 levels; it looks up every new attribute
// among the element's others, in time growing with their square); and to
// hand each chord element to TinyXML on its own, so that only one chord's
// part of the document exists at a time.
#pragma once

#include <cstddef>
#include <functional>

#include <tinyxml.h>

// A chord file needs four levels and two attributes an element; far
// tighter limits than these still admit every real file.
constexpr int MAX_ELEMENT_DEPTH = 64;
constexpr int MAX_ATTRIBUTES_PER_ELEMENT = 64;

enum class WalkEnd
{
    // TinyXML takes every node of the text up to its end.
    COMPLETE,
    // TinyXML stops before the end: a fault, or text it does not take as a
    // node at the top level.
    STOPS_EARLY,
    // An element lies deeper, or holds more attributes, than the limits;
    // the walk stops there.
    BEYOND_LIMITS,
};

struct WalkResult
{
    WalkEnd end;
    // The text holds a root element chords_xml_table.
    bool hasRoot;
    // The chord elements directly in the first instrument of the first
    // root, as far as the walk went.
    std::size_t chords;
};

// Parses the chord element that starts at start (its '<') with TinyXML in
// the encoding the document parse would use there; returns where the parse
// ended, nullptr where TinyXML gave up.
using ChordElementParser = std::function<const char*(const char* start, TiXmlEncoding encoding)>;

// Walks the zero-terminated text, behind which four more zero bytes must
// stand (TinyXML steps over a multi-byte sequence whole, also across the
// end). With a parser, every chord element of the first instrument of the
// first root goes to it instead of being walked through; without, the walk
// goes through them too.
WalkResult WalkAsTinyXml(const char* text, const ChordElementParser& parseChord = {});
