#pragma once

#include "import/CAudioImport.h"

class CWaveEngine;

// The real probe and conversions: the wave probe of the study's engine, the codec service's
// conversion of compressed wave files, and the MPEG decoder.
ConversionBackend DefaultConversionBackend(CWaveEngine& player);
