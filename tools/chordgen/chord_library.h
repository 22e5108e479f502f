// Builds the chord library from the shapes in chord_shapes.cpp.
#pragma once

#include "chord_table.h"

// One family per root (C to B) and chord kind, in that order: the names of
// every spelling of the root, then the open shapes followed by the movable
// shapes from the lowest position up. Throws std::invalid_argument when a
// shape is written wrongly.
ChordTable BuildChordLibrary();
