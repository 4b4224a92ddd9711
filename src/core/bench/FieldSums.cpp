// The field of the whole scene at a point, in five variants. Sources are visited in list order and
// each adds its part; compasses are skipped.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"
#include "support/Rounding.h"

namespace {

// Calls add(source) for every source of `objects` for which include(source) holds, in list order;
// `add` lets the source add its part to the running sum. Inlined into each sum (a pointer to a
// virtual member would cost the quick sums a fifth of their time).
template <typename Include, typename Add>
inline void ForSources(const std::vector<std::unique_ptr<TExperimentalObject>>& objects, Include include, Add add)
{
    for (const auto& object : objects) {
        TMagneticObject* source = object->AsMagnetic();
        if (source != nullptr && include(*source)) {
            add(*source);
        }
    }
}

bool Every(const TMagneticObject&) { return true; }
bool IsSource(const TMagneticObject& source) { return source.IsMagneticSource(); }
bool IsSelected(const TMagneticObject& source) { return source.Selected(); }

} // namespace

void TMagnetBench::GetOverallCurrentFieldVector(double x, double y, double& Fx, double& Fy)
{
    Fx = 0.0;
    Fy = 0.0;
    ForSources(MO, Every, [&](TMagneticObject& source) { source.GetCurrentFieldVector(x, y, Fx, Fy); });
}

void TMagnetBench::GetSourcesCurrentFieldVector(double x, double y, double& Fx, double& Fy)
{
    Fx = 0.0;
    Fy = 0.0;
    ForSources(MO, IsSource, [&](TMagneticObject& source) { source.GetCurrentFieldVector(x, y, Fx, Fy); });
}

void TMagnetBench::GetOverallDipoleFieldVector(double x, double y, double& Fx, double& Fy)
{
    Fx = 0.0;
    Fy = 0.0;
    ForSources(MO, Every, [&](TMagneticObject& source) { source.GetDipoleFieldVector(x, y, Fx, Fy); });
}

void TMagnetBench::GetOverallCurrentFieldVectorOnlySelectedQuick(double x, double y, double& Fx, double& Fy)
{
    Fx = 0.0;
    Fy = 0.0;
    ForSources(MO, IsSelected, [&](TMagneticObject& source) { source.GetCurrentFieldVectorQuick(x, y, Fx, Fy); });
}

void TMagnetBench::GetOverallCurrentFieldVectorQuick(double x, double y, double& Fx, double& Fy)
{
    // While a press holds a source with motion off, everything that stands still comes from the
    // move cache at the rounded pixel and only the selected sources are evaluated, at the exact
    // point. The cache's last column and row are never read.
    if (FOMouseDown && FMouseSender != nullptr && FMouseSender->IsMagnetic() && !FMovementON) {
        const int32_t ix = RoundHalfEven(x);
        const int32_t iy = RoundHalfEven(y);
        if (ix >= 0 && ix < FMoveCacheWidth - 1 && iy >= 0 && iy < FMoveCacheHeight - 1) {
            const TFieldLUT& cell =
                MoveCacheFieldLUT[static_cast<size_t>(ix) * static_cast<size_t>(FMoveCacheHeight) + static_cast<size_t>(iy)];
            Fx = cell.x;
            Fy = cell.y;
            ForSources(MO, IsSelected, [&](TMagneticObject& source) { source.GetCurrentFieldVectorQuick(x, y, Fx, Fy); });
            return;
        }
    }
    QuickSumOfAllSources(x, y, Fx, Fy);
}

void TMagnetBench::QuickSumOfAllSources(double x, double y, double& Fx, double& Fy)
{
    Fx = 0.0;
    Fy = 0.0;
    ForSources(MO, Every, [&](TMagneticObject& source) { source.GetCurrentFieldVectorQuick(x, y, Fx, Fy); });
}

void TMagnetBench::UpdateMagnetisation()
{
    // Only the uniform field qualifies.
    ForSources(MO, [](const TMagneticObject& source) { return !source.IsMagneticSource(); },
               [](TMagneticObject& source) { source.UpdateMagnetisation(); });
}
