#pragma once

#include "platform/CodecService.h"

// The codec service that audio import converts compressed wave files with: the platform's
// codecs, plus the ones this subsystem provides itself. New codecs are added to the list
// in ConversionCodecs.cpp.
const CodecService& ConversionCodecs();
