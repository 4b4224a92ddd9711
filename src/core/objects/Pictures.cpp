#include "objects/Pictures.h"

#include "objects/Compass.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Solonoid.h"
#include "raster/FastDIB.h"
#include "support/Random.h"

namespace {

TFastDIB MagnetPictureSurface;
TFastDIB CoilPictureSurface;
TFastDIB CommutatorPictureSurface;
TFastDIB NeedlePictureSurface;

// The commutator picture is a fixed 30 x 30 whatever the motor's size.
constexpr int CommutatorSide = 30;

} // namespace

const TFastDIB& MagnetPicture() { return MagnetPictureSurface; }
const TFastDIB& CoilPicture() { return CoilPictureSurface; }
const TFastDIB& CommutatorPicture() { return CommutatorPictureSurface; }
const TFastDIB& NeedlePicture() { return NeedlePictureSurface; }

void BuildMasterPictures()
{
    // Each picture is painted by a default object of its kind, sized to that object's box. A new
    // motor draws its starting angle from the program's generator; the generator is put back
    // afterwards, so that whoever seeded it before start-up sees the same draws after it.
    const TRandomGenerator savedRandom = ProgramRandom();
    {
        TFixedMagnet magnet;
        MagnetPictureSurface.SetSize(magnet.Width(), magnet.Height(), 24);
        magnet.PaintMagnetPicture(MagnetPictureSurface);
    }
    {
        Tsolonoid coil;
        CoilPictureSurface.SetSize(coil.Width(), coil.Height(), 24);
        coil.PaintCoilPicture(CoilPictureSurface);
    }
    {
        TMotor motor;
        CommutatorPictureSurface.SetSize(CommutatorSide, CommutatorSide, 24);
        motor.PaintCommutatorPicture(CommutatorPictureSurface);
    }
    {
        TCompass compass;
        NeedlePictureSurface.SetSize(compass.Width(), compass.Height(), 24);
        compass.PaintNeedlePicture(NeedlePictureSurface);
    }
    ProgramRandom() = savedRandom;
}
