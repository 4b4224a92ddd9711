#include "objects/Pictures.h"

#include "raster/FastDIB.h"

namespace {

TFastDIB MagnetPictureSurface;
TFastDIB CoilPictureSurface;
TFastDIB CommutatorPictureSurface;
TFastDIB NeedlePictureSurface;

} // namespace

const TFastDIB& MagnetPicture() { return MagnetPictureSurface; }
const TFastDIB& CoilPicture() { return CoilPictureSurface; }
const TFastDIB& CommutatorPicture() { return CommutatorPictureSurface; }
const TFastDIB& NeedlePicture() { return NeedlePictureSurface; }

// FIXME: painted once the object painting lands.
void BuildMasterPictures() {}
