// The chord data shared by the whole program: chord families with their
// names and fingerings (applicatures), in the order of the chord file.
#pragma once

#include <string>
#include <vector>

// The guitar's six strings: string 1 (high e) is index 0, string 6 (low E)
// index 5.
constexpr int STRING_COUNT = 6;

// The fret columns shown: frets base+1 .. base+4.
constexpr int FRET_COLUMNS = 4;

// Left-hand fingers 1 (index) .. 4 (little); 0 is none.
constexpr int MAX_FINGER = 4;

// Where an applicature holds the finger of string 1 and the base fret.
constexpr int FINGER_INDEX = STRING_COUNT;
constexpr int POSITION_INDEX = 2 * STRING_COUNT;

// Number of values in one applicature: six string codes, six fingers, the
// base fret.
constexpr int APPLICATURE_SIZE = POSITION_INDEX + 1;

// Highest base fret: the four columns shown are frets base+1 .. base+4.
constexpr int MAX_POSITION = 12;

// What one string does in an applicature. 1..4 press the string in the k-th
// fret column shown; -1..-4 do the same and mark the root (bass) string.
enum PositionCode
{
    POS_ROOT_OPEN = -10,
    POS_OPEN = 0,
    POS_NOT_PLAYED = 10,
};

// Codes 1..4: the string pressed in that fret column.
constexpr bool IsFrettedCode(int code)
{
    return code >= 1 && code <= FRET_COLUMNS;
}

// Codes -1..-4: pressed in column -code, and the root string.
constexpr bool IsRootFrettedCode(int code)
{
    return code >= -FRET_COLUMNS && code <= -1;
}

// One fingering: codes of strings 1..6 (index 0..5), left-hand fingers of
// strings 1..6 (index 6..11, 0 = none), base fret (index 12). A vector, not
// an array, because the program checks that a stored fingering really holds
// APPLICATURE_SIZE values before it shows one.
using Applicature = std::vector<int>;

// One chord with its synonyms and its fingerings.
struct ChordFamily
{
    std::vector<std::string> names;
    std::vector<Applicature> variants;
};

inline bool operator==(const ChordFamily& a, const ChordFamily& b)
{
    return a.names == b.names && a.variants == b.variants;
}

// All families, in file order. No index: lookups scan it and the first match
// wins.
using ChordTable = std::vector<ChordFamily>;
