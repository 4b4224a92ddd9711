#include "objects/FieldTables.h"

#include "objects/Magnet.h"
#include "objects/Pictures.h"
#include "objects/Wire.h"
#include "support/WorkerPool.h"

#include <mutex>

namespace {

std::vector<TFieldLUT> MagnetTable;
std::vector<TFieldLUT> WireTable;
std::once_flag StartupOnce;

// Fills table[i][j] = cell(i, j) for i, j in 0..1000, one row of i per task. Every cell is the same
// computation whatever thread does it, so the table is bit-identical for any thread count.
template <typename CellFunction>
void FillTable(std::vector<TFieldLUT>& table, CellFunction cell)
{
    table.assign(static_cast<size_t>(FieldLUTSide) * FieldLUTSide, TFieldLUT{});
    ParallelFor(FieldLUTSide, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            TFieldLUT* row = table.data() + static_cast<size_t>(i) * FieldLUTSide;
            for (int j = 0; j < FieldLUTSide; ++j) {
                row[j] = cell(i, j);
            }
        }
    });
}

} // namespace

namespace FieldTableData {
const TFieldLUT* Magnet = nullptr;
const TFieldLUT* Wire = nullptr;
} // namespace FieldTableData

void BuildMagnetFieldLUT(std::vector<TFieldLUT>& table)
{
    // A default magnet at rotation 0; only its corner model is used, which reads no state that
    // changes, so the worker threads may share it.
    TFixedMagnet magnet;
    FillTable(table, [&magnet](int i, int j) { return magnet.GetCurrentFieldVectorForLUT(i, j); });
}

void BuildWireFieldLUT(std::vector<TFieldLUT>& table)
{
    TWire wire(false);
    FillTable(table, [&wire](int i, int j) { return wire.GetCurrentFieldVectorForLUT(i, j); });
}

void EnsureStartupTables()
{
    std::call_once(StartupOnce, [] {
        BuildMagnetFieldLUT(MagnetTable);
        BuildWireFieldLUT(WireTable);
        FieldTableData::Magnet = MagnetTable.data();
        FieldTableData::Wire = WireTable.data();
        BuildMasterPictures();
    });
}

const std::vector<TFieldLUT>& MagnetFieldLUT() { return MagnetTable; }
const std::vector<TFieldLUT>& WireFieldLUT() { return WireTable; }

