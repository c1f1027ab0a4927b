// Connects the monthly cycle to the document: the front ends call InstallCycleHooks once
// after creating the document, so every save stores the working report totals.
#pragma once

#include "core/document.h"

namespace zarim {

void InstallCycleHooks(CZarimDoc& doc);

}  // namespace zarim
