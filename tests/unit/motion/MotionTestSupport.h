#pragma once

// Scenes built twice, on a bench and in the independent reference model, and the bit-for-bit
// comparison of their motion state.

#include "BenchTestAccess.h"
#include "MotionReference.h"
#include "bench/MagnetBench.h"
#include "objects/BaseWire.h"
#include "objects/MagneticObject.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// One object of a test scene. Compasses exist only on the bench: they take no part in motion.
struct TSceneItem {
    enum TKind { Magnet, Wire, Coil, Motor, Uniform, Compass } Kind = Magnet;
    int32_t X = 0;
    int32_t Y = 0;
    double Rotation = 0.0;
    bool Flipped = false;
    // Start velocities, pixels and radians per tick.
    double VelocityX = 0.0;
    double VelocityY = 0.0;
    double AngularVelocity = 0.0;
};

// The index-th source of the bench's list (compasses skipped).
inline TMagneticObject& SourceAt(TMagnetBench& bench, size_t index)
{
    size_t n = 0;
    for (const auto& object : bench.Objects()) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            if (n == index) {
                return *source;
            }
            ++n;
        }
    }
    ADD_FAILURE() << "no source " << index;
    return *bench.Objects().front()->AsMagnetic();
}

inline void BuildScene(const std::vector<TSceneItem>& items, TMagnetBench& bench, TReferenceScene& reference)
{
    for (const TSceneItem& item : items) {
        switch (item.Kind) {
        case TSceneItem::Magnet:
            bench.AddMagnet(item.X, item.Y, item.Rotation);
            reference.AddMagnet(item.X, item.Y, item.Rotation);
            break;
        case TSceneItem::Wire:
            bench.AddWire(item.X, item.Y, item.Flipped);
            reference.AddWire(item.X, item.Y, item.Flipped);
            break;
        case TSceneItem::Coil:
            bench.AddSolonoid(item.X, item.Y, item.Rotation);
            static_cast<TBaseWire*>(bench.Objects().back()->AsMagnetic())->SetIsFlipped(item.Flipped);
            reference.AddCoil(item.X, item.Y, item.Rotation);
            reference.Sources.back().Flipped = item.Flipped;
            break;
        case TSceneItem::Motor:
            bench.AddMotor(item.X, item.Y);
            reference.AddMotor(item.X, item.Y);
            break;
        case TSceneItem::Uniform:
            bench.ToggleUniformField(0.1);
            if (item.Flipped) {
                bench.FlipUniformField();
            }
            reference.AddUniformField(0.1, item.Flipped);
            break;
        case TSceneItem::Compass:
            bench.AddCompass(item.X, item.Y);
            continue;
        }
        TMagneticObject* source = bench.Objects().back()->AsMagnetic();
        source->SetVelocityX(item.VelocityX);
        source->SetVelocityY(item.VelocityY);
        source->SetAngularVelocity(item.AngularVelocity);
        reference.Sources.back().VelocityX = item.VelocityX;
        reference.Sources.back().VelocityY = item.VelocityY;
        reference.Sources.back().AngularVelocity = item.AngularVelocity;
    }
}

inline void SetBenchSize(TMagnetBench& bench, TReferenceScene& reference, int32_t width, int32_t height)
{
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, width, height);
    reference.SetBenchSize(width, height);
}

// Every motion quantity of every source, compared as bit patterns (so 0 and -0 differ).
inline ::testing::AssertionResult SameMotionState(TMagnetBench& bench, const TReferenceScene& reference)
{
    std::ostringstream diff;
    size_t n = 0;
    for (const auto& object : bench.Objects()) {
        const TMagneticObject* s = object->AsMagnetic();
        if (s == nullptr) {
            continue;
        }
        if (n >= reference.Sources.size()) {
            return ::testing::AssertionFailure() << "the bench has more sources than the reference";
        }
        const TRefSource& r = reference.Sources[n];
        auto real = [&](const char* name, double actual, double expected) {
            if (std::bit_cast<uint64_t>(actual) != std::bit_cast<uint64_t>(expected)) {
                diff.precision(17);
                diff << " source " << n << " " << name << ": " << actual << " != " << expected << ";";
            }
        };
        auto whole = [&](const char* name, int64_t actual, int64_t expected) {
            if (actual != expected) {
                diff << " source " << n << " " << name << ": " << actual << " != " << expected << ";";
            }
        };
        whole("Left", s->Left(), r.Left);
        whole("Top", s->Top(), r.Top);
        whole("Flipped", s->Flipped(), r.Flipped);
        real("LeftFloat", s->LeftFloat(), r.LeftFloat);
        real("TopFloat", s->TopFloat(), r.TopFloat);
        real("Rotation", s->Rotation(), r.Rotation);
        real("RotationFloat", s->RotationFloat(), r.RotationFloat);
        real("VelocityX", s->VelocityX(), r.VelocityX);
        real("VelocityY", s->VelocityY(), r.VelocityY);
        real("AngularVelocity", s->AngularVelocity(), r.AngularVelocity);
        ++n;
    }
    if (n != reference.Sources.size()) {
        return ::testing::AssertionFailure() << "the reference has more sources than the bench";
    }
    const std::string text = diff.str();
    if (!text.empty()) {
        return ::testing::AssertionFailure() << text;
    }
    return ::testing::AssertionSuccess();
}
