#include "model/IBcdAztec.h"

namespace quillon {

int AztecErrCorrectionPercent(int fixedErrCorrection) {
    if (fixedErrCorrection <= 0) return 1;
    if (fixedErrCorrection > 99) return 99;
    return fixedErrCorrection;
}

int AztecLayersWithinRange(int layers, int codeType) {
    constexpr int kCompact = static_cast<int>(AztecCodeTypeEnum::Compact);
    if (layers <= 0) return 1;
    if (codeType == kCompact && layers > 4) return 4;
    return layers > 32 ? 32 : layers;
}

}  // namespace quillon
