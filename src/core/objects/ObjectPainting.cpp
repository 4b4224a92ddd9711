// The look of every bench object. FIXME: the pictures are placeholders until the painting lands.
#include "objects/BaseWire.h"
#include "objects/Compass.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Pictures.h"
#include "objects/Solonoid.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "raster/FastDIB.h"

void TExperimentalObject::DrawCircle(TFastDIB&, int, int, int, TFColor) {}
void TExperimentalObject::DrawHandle(TFastDIB&, int, int, TFColor) {}
void TExperimentalObject::FillSurface(TFastDIB&, TFColor) {}
void TBaseWire::DrawPlusSign(TFastDIB&, double, double) {}
void TBaseWire::DrawMinusSign(TFastDIB&, double, double) {}
void TFixedMagnet::Paint(TFastDIB&) {}
void TFixedMagnet::PaintMagnetPicture(TFastDIB&) {}
void Tsolonoid::Paint(TFastDIB&) {}
void Tsolonoid::PaintCoilPicture(TFastDIB&) {}
void TMotor::Paint(TFastDIB&) {}
void TMotor::PaintCommutatorPicture(TFastDIB&) {}
void TWire::Paint(TFastDIB&) {}
void TUniformMagneticField::Paint(TFastDIB&) {}
void TCompass::Paint(TFastDIB&) {}
void TCompass::PaintNeedlePicture(TFastDIB&) {}
void TCompass::RebuildNeedleCache() {}
