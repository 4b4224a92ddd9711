#pragma once

class TFastDIB;

// The four master pictures painted once at start-up by EnsureStartupTables and only read
// afterwards: the unrotated magnet (124 x 124), coil (201 x 201), commutator (30 x 30) and compass
// needle (32 x 32). Key colours: SpriteKey for the first three, silver for the needle.
const TFastDIB& MagnetPicture();
const TFastDIB& CoilPicture();
const TFastDIB& CommutatorPicture();
const TFastDIB& NeedlePicture();

// Paints the four pictures; called once from EnsureStartupTables.
void BuildMasterPictures();
