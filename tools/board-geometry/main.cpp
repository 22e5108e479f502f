// Prints the main window's fretboard layout for tools/make-help-image.sh,
// so that the help picture's labels sit where the paint draws:
//
//   tabulor-board-geometry WIDTH HEIGHT
//     one line for a client area of WIDTH x HEIGHT pixels: the y of strings
//     1..6, the x of the nut and of fret lines 1..4, the fret width, the x of
//     the open column, then the area's left, top, width and height
//   tabulor-board-geometry --title
//     the main window's caption, by which the script finds the window
#include "board_geometry.h"
#include "tabulor_version.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
int Usage()
{
    std::fprintf(stderr, "usage: tabulor-board-geometry WIDTH HEIGHT | --title\n");
    return 2;
}

bool ParseSize(const char* text, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number <= 0 || number > 100000)
        return false;
    value = static_cast<int>(number);
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--title") == 0)
    {
        std::printf("%s\n", TABULOR_TITLE);
        return 0;
    }
    int width = 0;
    int height = 0;
    if (argc != 3 || !ParseSize(argv[1], width) || !ParseSize(argv[2], height))
        return Usage();

    const RECT area = FretboardArea(width, height);
    const BoardGeometry board = BoardGeometryIn(area);
    for (float y : board.stringY)
        std::printf("%d ", static_cast<int>(y));
    for (float x : board.fretX)
        std::printf("%d ", static_cast<int>(x));
    std::printf("%d %d %d %d %d %d\n", static_cast<int>(board.fretWidth),
                static_cast<int>(OpenColumnX(area, board.fretX[0])), static_cast<int>(area.left),
                static_cast<int>(area.top), static_cast<int>(area.right - area.left),
                static_cast<int>(area.bottom - area.top));
    return 0;
}
