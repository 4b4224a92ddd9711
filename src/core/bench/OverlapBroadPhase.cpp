#include "bench/OverlapBroadPhase.h"

#include "objects/MagneticObject.h"

#include <cmath>

namespace {

// The sample positions and the inside tests are each a handful of roundings away from exact
// arithmetic: a few units in the last place of the coordinates (about 1e-7 pixels at the
// +-2^30 limit of a box). One pixel, plus a relative part for coordinates beyond any box, covers
// that many times over.
constexpr double AbsoluteMargin = 1.0;
constexpr double RelativeMargin = 1e-9;

} // namespace

double TOverlapBroadPhase::Reach(const TMagneticObject& source)
{
    const double hw = source.MagHalfWidth();
    const double hh = source.MagHalfHeight();
    return std::sqrt(hw * hw + hh * hh);
}

void TOverlapBroadPhase::Prepare(const std::vector<TMagneticObject*>& sources)
{
    FEntries.resize(sources.size());
    for (size_t i = 0; i < sources.size(); ++i) {
        TMagneticObject* source = sources[i];
        FEntries[i] = TEntry{source, source->CentreX(), source->CentreY(), Reach(*source),
                             source->MagWidth() != 0 && source->MagHeight() != 0};
    }
}

bool TOverlapBroadPhase::MayTouch(size_t i, size_t j) const
{
    const TEntry& a = FEntries[i];
    const TEntry& b = FEntries[j];
    // B's fractional centre, computed exactly as its CheckIsInsideFuture computes it.
    const double bx = b.Source->LeftFloat() + b.Source->Width() * 0.5;
    const double by = b.Source->TopFloat() + b.Source->Height() * 0.5;
    const double dx = bx - a.CentreX;
    const double dy = by - a.CentreY;
    const double magnitude = std::fabs(a.CentreX) + std::fabs(a.CentreY) + std::fabs(bx) + std::fabs(by);
    const double limit = a.Reach + b.Reach + AbsoluteMargin + RelativeMargin * magnitude;
    return !(dx * dx + dy * dy > limit * limit);
}
