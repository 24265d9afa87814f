#include "view/HeadlessDisplays.h"

void HeadlessDisplays::SetCounter(int position, int count) {
    counterPosition = position;
    counterCount = count;
}

void HeadlessDisplays::SetSpectrum(std::span<const int> levels) {
    spectrum.assign(levels.begin(), levels.end());
}
