#pragma once

#include "objects/FieldTypes.h"

#include <cassert>
#include <cstddef>
#include <vector>

// The start-up tables: the field of a default bar magnet (MagnetFieldLUT) and of a default
// unflipped wire (WireFieldLUT) at the local offsets (i, j), i and j from 0 to 1000, in local
// axes. Written once by EnsureStartupTables, on all cores, and only read afterwards; about 16 MB
// each.
constexpr int FieldLUTSide = 1001;

namespace FieldTableData {
// First cells of the two tables once built (null before EnsureStartupTables); the quick models
// read them per pixel, so the accessors below are inline.
extern const TFieldLUT* Magnet;
extern const TFieldLUT* Wire;
} // namespace FieldTableData

// Cell [i][j], i and j in 0..1000.
inline const TFieldLUT& MagnetFieldLUTCell(int i, int j)
{
    assert(FieldTableData::Magnet != nullptr && "EnsureStartupTables must run before the quick models");
    return FieldTableData::Magnet[static_cast<size_t>(i) * FieldLUTSide + static_cast<size_t>(j)];
}

inline const TFieldLUT& WireFieldLUTCell(int i, int j)
{
    assert(FieldTableData::Wire != nullptr && "EnsureStartupTables must run before the quick models");
    return FieldTableData::Wire[static_cast<size_t>(i) * FieldLUTSide + static_cast<size_t>(j)];
}

// The whole tables, row-major in i: cell [i][j] at index i * FieldLUTSide + j.
const std::vector<TFieldLUT>& MagnetFieldLUT();
const std::vector<TFieldLUT>& WireFieldLUT();

// Builds both tables and the four master pictures once (thread-safe); later calls return at once.
// Called by the bench's constructor, the app and the renderer before anything reads the tables.
void EnsureStartupTables();

// The table builders on their own, for benchmarks and tests of the thread-count independence.
void BuildMagnetFieldLUT(std::vector<TFieldLUT>& table);
void BuildWireFieldLUT(std::vector<TFieldLUT>& table);
