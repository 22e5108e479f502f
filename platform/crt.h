// The pieces of the C run-time library whose Windows behaviour the program
// depends on. They live in namespace crt, not at global scope: the C
// library's own rand/srand/exit stay untouched for everything else in the
// process (Qt, FluidSynth). Program code calls crt::srand, crt::rand and
// crt::exit.
#pragma once

#include <cstdio>

namespace crt
{
// The generator of the Windows run-time: state = state * 214013 + 2531011
// (modulo 2^32), result (state >> 16) & 0x7FFF, in 0..32767. One generator
// for the whole program, seed 1 until srand.
void srand(unsigned int seed);
int rand();

// Ends the process with the exit code: exit handlers and static destructors
// run. Tests may install a hook (platform testing seams) that sees the code
// first.
[[noreturn]] void exit(int status);

// Opens a file for reading ("r" or "rb"), as the program's checks for its
// files use it. Only a regular file opens: a FIFO, a device or a folder
// (also through a link) give nullptr as a missing file does, and the open never
// waits for a FIFO's writer. Close the stream with fclose.
std::FILE* fopen(const char* fileName, const char* mode);
}  // namespace crt
