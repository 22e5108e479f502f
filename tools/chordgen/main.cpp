// tabulor-chordgen: writes the chord library that ships with Tabulor.
//
// data/Tabulor.xml is this program's output. After changing a shape in
// chord_shapes.cpp, regenerate it from the top of the source tree with
//     cmake --build BUILD_DIR --target tabulor-chordgen
//     BUILD_DIR/tools/chordgen/tabulor-chordgen data/Tabulor.xml
// and commit both; the chord library test (tests/data) fails while the file
// and the generator's output differ.
#include <cstdio>
#include <exception>

#include "chord_library.h"
#include "chord_table_writer.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT.xml\n", argv[0]);
        return 2;
    }
    try
    {
        const ChordTable table = BuildChordLibrary();
        const ChordTableWriter writer(argv[1], &table, 0, 0);
        if (!writer.IsWritten())
        {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
            return 1;
        }
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
