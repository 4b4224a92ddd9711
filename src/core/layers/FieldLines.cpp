// Field lines: every source proposes seeds, and from each seed a line is traced in small steps
// along the exact total field and drawn in black. Lines are traced one after another in a fixed
// order, because a line may cancel seeds and record ends that later lines depend on.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"
#include "raster/FastDraw.h"
#include "support/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxLinePoints = 40000;         // points of one half-line, without a loop's closing point
constexpr double LineStep = 1.0;             // pixels per step of an ordinary seed
constexpr double LoopStep = 0.1;             // pixels per step of a loop seed
constexpr int StepsBeforeZone = 100;         // a zone ends a line only after more steps than this
constexpr int StepsBeforeClosing = 1000;     // a loop may close only after more steps than this
constexpr double ClosingDistanceSquared = 10.0;
constexpr double CancelDistanceSquared = 8.0;
constexpr double CancelBoxMargin = 3.0;         // pixels; 3 squared exceeds the cancelling distance
constexpr double MatchStartDistanceSquared = 10000000.0;
constexpr int LinePolylineStep = 12;         // the polyline joins every 12th point
constexpr TFColor LineColour{0, 0, 0};

} // namespace

void TMagnetBench::DrawFieldLines(TFastDIB& BMP)
{
    // Pass 1: fresh seeds and empty records on every source.
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            source->ResetCulledLinesList();
            source->getSeedPoints(BMP);
        }
    }

    // Pass 2: every seed in order; seeds cancelled by earlier lines are skipped by the tracer.
    // Tracing never resizes a seed array, so the references stay valid.
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            for (size_t i = 0; i < source->Seeds.size(); ++i) {
                TraceFieldLine(BMP, source, source->Seeds[i]);
            }
        }
    }

    // Pass 3: a magnet that sent more lines to other magnets than it received pairs every incoming
    // end with its nearest unmatched outgoing seed, and traces each outgoing seed left over once
    // more, backwards only. Backward traces never record, so the arrays keep their sizes here.
    for (const auto& object : MO) {
        TMagneticObject* source = object->AsMagnetic();
        if (source == nullptr || source->LinesEndingExternally.size() <= source->LinesEndingHere.size()) {
            continue;
        }
        std::vector<TCulledPoint>& outgoing = source->LinesEndingExternally;
        for (const TCulledPoint& incoming : source->LinesEndingHere) {
            double best = MatchStartDistanceSquared;
            TCulledPoint* nearest = nullptr;
            for (TCulledPoint& candidate : outgoing) {
                if (!candidate.Needed) {
                    continue;
                }
                const double dx = candidate.X - incoming.X;
                const double dy = candidate.Y - incoming.Y;
                const double distanceSquared = dx * dx + dy * dy;
                if (distanceSquared < best) {
                    best = distanceSquared;
                    nearest = &candidate;
                }
            }
            if (nearest != nullptr) {
                nearest->Needed = false;
            }
        }
        for (size_t i = 0; i < outgoing.size(); ++i) {
            if (!outgoing[i].Needed) {
                continue;
            }
            TSeedPoint seed;
            seed.X = outgoing[i].X;
            seed.Y = outgoing[i].Y;
            seed.flip = true;
            seed.Needed = true;
            seed.IsLoop = false;
            TraceFieldLine(BMP, source, seed);
        }
    }
}

void TMagnetBench::TraceFieldLine(TFastDIB& BMP, TMagneticObject* Owner, TSeedPoint& Seed)
{
    if (!Seed.Needed) {
        return;
    }
    Seed.Needed = false;

    // The sources, once per trace: the field sum below visits them in list order exactly as
    // GetOverallCurrentFieldVector does, without looking up each object's kind on every step.
    FLineSources.clear();
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            FLineSources.push_back(source);
        }
    }
    // The seeds this line may cancel: those of other loop sources that are still needed. A seed
    // that is already not needed would only be cleared again, so it is left out, and a seed once
    // cancelled leaves the list. Their bounding box, widened by 3 pixels (more than the cancelling
    // distance of sqrt 8), lets most steps skip the distance tests altogether.
    FLineCancelSeeds.clear();
    double cancelMinX = 0.0;
    double cancelMaxX = 0.0;
    double cancelMinY = 0.0;
    double cancelMaxY = 0.0;
    for (TMagneticObject* source : FLineSources) {
        if (source == Owner || !source->LinesAreLoops()) {
            continue;
        }
        for (TSeedPoint& other : source->Seeds) {
            // A seed with a coordinate that is not finite can never be within reach either.
            if (!other.Needed || !std::isfinite(other.X) || !std::isfinite(other.Y)) {
                continue;
            }
            if (FLineCancelSeeds.empty()) {
                cancelMinX = cancelMaxX = other.X;
                cancelMinY = cancelMaxY = other.Y;
            } else {
                cancelMinX = std::min(cancelMinX, other.X);
                cancelMaxX = std::max(cancelMaxX, other.X);
                cancelMinY = std::min(cancelMinY, other.Y);
                cancelMaxY = std::max(cancelMaxY, other.Y);
            }
            FLineCancelSeeds.push_back(&other);
        }
    }
    cancelMinX -= CancelBoxMargin;
    cancelMaxX += CancelBoxMargin;
    cancelMinY -= CancelBoxMargin;
    cancelMaxY += CancelBoxMargin;
    if (FLinePoints.size() < static_cast<size_t>(MaxLinePoints) + 1) {
        FLinePoints.resize(static_cast<size_t>(MaxLinePoints) + 1);
    }
    TPoint* points = FLinePoints.data();

    const double h = Seed.IsLoop ? LoopStep : LineStep;
    const int width = BMP.Width();
    const int height = BMP.AbsHeight();
    // A line may run half the larger side beyond every edge of the surface.
    const int margin = std::max(width, height) / 2;
    const double minX = -static_cast<double>(margin);
    const double maxX = static_cast<double>(width) + margin;
    const double minY = -static_cast<double>(margin);
    const double maxY = static_cast<double>(height) + margin;
    // With a uniform field on the bench, loop halves that leave the area are not drawn.
    const bool drawLeavingHalves = !(FHasUniformField && Seed.IsLoop);
    const bool ownerIsUniform = Owner->IsUniformField();

    bool running = true;
    bool secondHalf = Seed.flip; // a seed that starts flipped gets a single, backward half
    int count = 0;
    double px = Seed.X;
    double py = Seed.Y;

    while (running && count < MaxLinePoints) {
        // One step of length h along the field (against it when flipped). A zero field leaves the
        // point in place; so does a sum that overflowed, rather than turning the point into NaN.
        double fx = 0.0;
        double fy = 0.0;
        for (TMagneticObject* source : FLineSources) {
            source->GetCurrentFieldVector(px, py, fx, fy);
        }
        const double magnitudeSquared = fx * fx + fy * fy;
        if (magnitudeSquared != 0.0 && std::isfinite(magnitudeSquared)) {
            double k = h / std::sqrt(magnitudeSquared);
            if (Seed.flip) {
                k = -k;
            }
            px = px + fx * k;
            py = py + fy * k;
        }
        points[count].X = RoundHalfEven(px);
        points[count].Y = RoundHalfEven(py);
        ++count;

        // Leaving the area ends the half: it is drawn, and the first half restarts from the seed
        // in the other direction.
        if (px < minX || px > maxX || py < minY || py > maxY) {
            if (drawLeavingHalves) {
                SmoothPolyline(BMP, points, LineColour, count, LinePolylineStep);
            }
            if (secondHalf) {
                running = false;
            } else {
                secondHalf = true;
            }
            Seed.flip = !Seed.flip;
            count = 0;
            px = Seed.X;
            py = Seed.Y;
        }

        // Zones: a line that has run long enough ends in any source's zone, its own included.
        if (count > StepsBeforeZone) {
            for (TMagneticObject* other : FLineSources) {
                if (!other->IsInTheZone(Seed, px, py)) {
                    continue;
                }
                running = false;
                if (secondHalf || Seed.IsLoop || ownerIsUniform) {
                    return; // dropped: the current half is not drawn
                }
                if (other != Owner) {
                    Owner->LinesEndingExternally.push_back(TCulledPoint{Seed.X, Seed.Y, true});
                    other->LinesEndingHere.push_back(TCulledPoint{px, py, false});
                }
            }
        }

        // A loop closes when it comes back near its seed; the seed's rounded position is its last
        // point.
        if (Seed.IsLoop && count > StepsBeforeClosing) {
            const double dx = px - Seed.X;
            const double dy = py - Seed.Y;
            if (dx * dx + dy * dy < ClosingDistanceSquared) {
                points[count].X = RoundHalfEven(Seed.X);
                points[count].Y = RoundHalfEven(Seed.Y);
                ++count;
                running = false;
            }
        }

        // A line passing near a seed of another loop source makes that seed's own line redundant.
        if (!FLineCancelSeeds.empty() && px >= cancelMinX && px <= cancelMaxX && py >= cancelMinY &&
            py <= cancelMaxY) {
            size_t i = 0;
            while (i < FLineCancelSeeds.size()) {
                TSeedPoint& other = *FLineCancelSeeds[i];
                const double dx = other.X - px;
                const double dy = other.Y - py;
                if (dx * dx + dy * dy < CancelDistanceSquared) {
                    other.Needed = false;
                    FLineCancelSeeds[i] = FLineCancelSeeds.back();
                    FLineCancelSeeds.pop_back();
                } else {
                    ++i;
                }
            }
        }
    }

    // A loop that used every point without closing is not drawn; an ordinary line is.
    if (count < MaxLinePoints || !Seed.IsLoop) {
        SmoothPolyline(BMP, points, LineColour, count, LinePolylineStep);
    }
}
