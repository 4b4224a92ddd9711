#include "objects/ExperimentalObject.h"

namespace {

int32_t ClampCoordinate(int32_t value)
{
    if (value > TExperimentalObject::MaxCoordinate) {
        return TExperimentalObject::MaxCoordinate;
    }
    if (value < -TExperimentalObject::MaxCoordinate) {
        return -TExperimentalObject::MaxCoordinate;
    }
    return value;
}

} // namespace

void TExperimentalObject::SetLeft(int32_t value)
{
    value = ClampCoordinate(value);
    if (value == FLeft) {
        return;
    }
    FLeft = value;
    BoundsChanged();
}

void TExperimentalObject::SetTop(int32_t value)
{
    value = ClampCoordinate(value);
    if (value == FTop) {
        return;
    }
    FTop = value;
    BoundsChanged();
}

void TExperimentalObject::SetWidth(int32_t value)
{
    value = ClampCoordinate(value);
    if (value == FWidth) {
        return;
    }
    FWidth = value;
    BoundsChanged();
}

void TExperimentalObject::SetHeight(int32_t value)
{
    value = ClampCoordinate(value);
    if (value == FHeight) {
        return;
    }
    FHeight = value;
    BoundsChanged();
}

void TExperimentalObject::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

bool TExperimentalObject::IsInRotationButton(double, double)
{
    return false;
}
