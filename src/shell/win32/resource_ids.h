// Identifiers shared by the resource script (astrelle.rc) and the code that loads them.
// Plain #defines, because the resource compiler reads this file too.
#pragma once

#define ASTRELLE_ICON 1
