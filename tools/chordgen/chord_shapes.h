// The guitar shapes the chord library is made of, written the way guitarists
// write chord boxes, so that a player can review them line by line.
#pragma once

#include <vector>

// One fingering as a chord chart writes it, from the low E string (string 6)
// to the high E string (string 1), one character per string:
//   frets:   'x' string not played, '0'..'9' the fret pressed (0 open),
//            'o' an open string shown below the bass: drawn, never sounded.
//   fingers: '-' no finger, '1'..'4' index to little finger; the same digit
//            on several strings is a barre.
// The lowest string with a fret digit is the root (bass) string.
struct Shape
{
    const char* frets;
    const char* fingers;
};

// A first-position chord for one root, written at its real frets.
struct OpenShape
{
    const char* root;
    Shape shape;
};

// One kind of chord: its name suffixes (the first is the usual spelling),
// its movable shapes (written as one sample chord each, moved to every root)
// and its open-position shapes.
struct ChordQuality
{
    std::vector<const char*> suffixes;
    std::vector<Shape> movable;
    std::vector<OpenShape> open;
};

// A root of the chromatic scale: its pitch class (C = 0) and its spellings,
// the sharp one first.
struct ChordRoot
{
    int pitchClass;
    std::vector<const char*> spellings;
};

// The twelve roots from C to B.
const std::vector<ChordRoot>& ChordRoots();

// The chord kinds in the order their families stand under each root.
const std::vector<ChordQuality>& ChordQualities();
