// Shows families in GoogleTest's failure messages as text, not bytes.
#pragma once

#include <ostream>

#include "chord_table.h"

inline void PrintTo(const ChordFamily& family, std::ostream* out)
{
    *out << "{names:";
    for (const std::string& name : family.names)
        *out << " [" << name << "]";
    *out << "; variants:";
    for (const Applicature& applicature : family.variants)
    {
        *out << " (";
        for (std::size_t i = 0; i < applicature.size(); ++i)
            *out << (i != 0 ? " " : "") << applicature[i];
        *out << ")";
    }
    *out << "}";
}
