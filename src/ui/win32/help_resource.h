// The resource number of the help page inside astrelle.scr, shared by the resource script
// and the code that reads it. A plain #define, because the resource compiler reads it too.
#pragma once

#define ASTRELLE_HELP_PAGE 2
