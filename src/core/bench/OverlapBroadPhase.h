#pragma once

#include <cstddef>
#include <vector>

class TMagneticObject;

// Exact broad phase of the collision test of one motion step: it tells which pairs of sources
// cannot collide, so that the bench skips their border sampling (up to about 430 inside tests per
// pair and sub-step) without changing which pairs collide.
//
// A.CheckOverlap(B) turns the integer border samples of A's magnet rectangle into bench points
// with A's pose at the start of the step, and asks B whether a sample lies inside it at B's
// fractional position (FLeftFloat, FTopFloat) with B's rotation at the start of the step. Every
// sample lies within A's reach of A's start centre, and every point that B's CheckIsInsideFuture
// accepts lies within B's reach of B's fractional centre; the reach of a source is the half
// diagonal of its magnet rectangle (a bar magnet's or coil's box test, a wire's 7.5-pixel disc,
// nothing for the uniform field). When the two centres lie further apart than the sum of the
// reaches plus a margin that covers the rounding of the sample positions and of the inside
// tests, no sample can hit and the pair is skipped. A kind whose CheckIsInsideFuture accepted
// points beyond that half diagonal would have to widen Reach.
//
// The start centres and reaches are fixed for the whole step and taken once by Prepare. B's
// fractional centre is read at the moment the pair is tested, because a hit earlier in the same
// sub-step puts both of its sources back on their boxes.
//
// Threads: owned and used by the thread that runs the motion step.
class TOverlapBroadPhase {
public:
    // Takes the start centres and reaches of the sources, in the order of the motion step.
    void Prepare(const std::vector<TMagneticObject*>& sources);

    // False for a source without a magnet rectangle (the uniform field), whose CheckOverlap finds
    // nothing whatever the other source.
    bool HasBorder(size_t i) const { return FEntries[i].HasBorder; }

    // False only when no border sample of source i (as A) can lie inside source j (as B) at B's
    // current fractional position. Any non-finite quantity counts as "may touch".
    bool MayTouch(size_t i, size_t j) const;

    // The reach of a source: the half diagonal of its magnet rectangle, in pixels.
    static double Reach(const TMagneticObject& source);

private:
    struct TEntry {
        TMagneticObject* Source = nullptr;
        double CentreX = 0.0; // start centre, bench pixels
        double CentreY = 0.0;
        double Reach = 0.0;   // pixels
        bool HasBorder = false;
    };
    std::vector<TEntry> FEntries;
};
