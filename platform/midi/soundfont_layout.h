// A cheap look at a SoundFont's outer layout, so that a file that cannot be
// one is refused when the device opens, while the real load of presets and
// samples may come later: only the RIFF chunk headers are read.
#pragma once

#include <string>

// Why the file at path cannot be a loadable SoundFont; empty when its RIFF
// form fits in the file and, for a SoundFont 2 ('sfbk'), holds its three
// lists INFO, sdta and pdta, each inside the form. Other RIFF forms that
// FluidSynth takes (DLS) are only checked for their size.
std::string SoundFontLayoutError(const std::string& path);
