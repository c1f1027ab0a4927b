// "emerg.dat" and "spneed.dat": emergency contacts and special needs, shared between
// publishers by key. Records no publisher uses are dropped from emerg.dat at start-up.
#pragma once

#include "core/document.h"

namespace zarim {

void LoadEmergency(CZarimDoc& doc);
void LoadSpecialNeeds(CZarimDoc& doc);

}  // namespace zarim
