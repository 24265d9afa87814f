#pragma once

#include "import/MpegInputModule.h"

// The file input module: "Input From File", reading a named file, or standard input for
// the name "-".
MpegInputModule MpegFileInputModule();
