#include "chord_library.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "chord_shapes.h"

namespace
{

// Pitch classes of the open strings in chart order, low E first.
constexpr int OPEN_STRING_PITCH[STRING_COUNT] = {4, 9, 2, 7, 11, 4};

// The chart's strings are written low E first; the chord file counts from the
// high E string.
int StringIndex(int chartPosition)
{
    return STRING_COUNT - 1 - chartPosition;
}

bool IsFret(char c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void Reject(const Shape& shape, const char* why)
{
    throw std::invalid_argument(std::string("chord shape ") + shape.frets + " / " + shape.fingers + ": " + why);
}

void CheckWritten(const Shape& shape)
{
    if (std::strlen(shape.frets) != STRING_COUNT || std::strlen(shape.fingers) != STRING_COUNT)
        Reject(shape, "needs one character per string");
    for (int i = 0; i < STRING_COUNT; ++i)
    {
        const char fret = shape.frets[i];
        const char finger = shape.fingers[i];
        if (fret != 'x' && fret != 'o' && !IsFret(fret))
            Reject(shape, "unknown fret character");
        const bool pressed = IsFret(fret) && fret != '0';
        if (pressed != (finger >= '1' && finger <= '4') || (!pressed && finger != '-'))
            Reject(shape, "a finger belongs on every pressed string and nowhere else");
    }
}

int RootChartPosition(const Shape& shape)
{
    for (int i = 0; i < STRING_COUNT; ++i)
        if (IsFret(shape.frets[i]))
            return i;
    Reject(shape, "no string sounds");
}

int LowestPressedFret(const Shape& shape)
{
    int lowest = 99;
    for (int i = 0; i < STRING_COUNT; ++i)
        if (IsFret(shape.frets[i]) && shape.frets[i] != '0')
            lowest = std::min(lowest, shape.frets[i] - '0');
    return lowest;
}

// The fingering of a shape moved up by `shift` frets, shown from `base`.
Applicature ToApplicature(const Shape& shape, int shift, int base)
{
    Applicature applicature(APPLICATURE_SIZE, 0);
    const int root = RootChartPosition(shape);
    for (int i = 0; i < STRING_COUNT; ++i)
    {
        const int string = StringIndex(i);
        const char fret = shape.frets[i];
        int code = POS_OPEN;
        if (fret == 'x')
            code = POS_NOT_PLAYED;
        else if (fret != 'o' && fret != '0')
        {
            code = fret - '0' + shift - base;
            if (code < 1 || code > FRET_COLUMNS)
                Reject(shape, "does not fit the four columns shown");
        }
        if (i == root)
            code = code == POS_OPEN ? POS_ROOT_OPEN : -code;
        applicature[string] = code;
        applicature[FINGER_INDEX + string] = shape.fingers[i] == '-' ? 0 : shape.fingers[i] - '0';
    }
    applicature[POSITION_INDEX] = base;
    return applicature;
}

Applicature OpenApplicature(const Shape& shape)
{
    CheckWritten(shape);
    return ToApplicature(shape, 0, 0);
}

// A movable shape at the lowest position where it needs no open string.
Applicature MovedApplicature(const Shape& shape, int rootPitchClass)
{
    CheckWritten(shape);
    const int rootString = RootChartPosition(shape);
    const int sampleRoot = (OPEN_STRING_PITCH[rootString] + shape.frets[rootString] - '0') % 12;
    const int lowest = LowestPressedFret(shape);
    if (std::strchr(shape.frets, '0') != nullptr || std::strchr(shape.frets, 'o') != nullptr)
        Reject(shape, "a movable shape has no open string");
    // Up to eleven frets up from the sample; an octave lower when that still
    // leaves the lowest finger on fret 1 or above.
    int shift = (rootPitchClass - sampleRoot + 12) % 12;
    if (lowest + shift - 12 >= 1)
        shift -= 12;
    return ToApplicature(shape, shift, lowest + shift - 1);
}

ChordFamily MakeFamily(const ChordRoot& root, const ChordQuality& quality)
{
    ChordFamily family;
    for (const char* spelling : root.spellings)
        for (const char* suffix : quality.suffixes)
            family.names.push_back(std::string(spelling) + suffix);

    for (const OpenShape& open : quality.open)
        if (std::find_if(root.spellings.begin(), root.spellings.end(),
                         [&](const char* s) { return std::strcmp(s, open.root) == 0; }) != root.spellings.end())
            family.variants.push_back(OpenApplicature(open.shape));

    std::vector<Applicature> moved;
    for (const Shape& shape : quality.movable)
        moved.push_back(MovedApplicature(shape, root.pitchClass));
    std::stable_sort(moved.begin(), moved.end(),
                     [](const Applicature& a, const Applicature& b) { return a[POSITION_INDEX] < b[POSITION_INDEX]; });
    family.variants.insert(family.variants.end(), moved.begin(), moved.end());
    return family;
}

}  // namespace

ChordTable BuildChordLibrary()
{
    ChordTable table;
    for (const ChordRoot& root : ChordRoots())
        for (const ChordQuality& quality : ChordQualities())
            table.push_back(MakeFamily(root, quality));
    return table;
}
