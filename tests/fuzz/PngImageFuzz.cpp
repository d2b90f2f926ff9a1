#include <cstddef>
#include <cstdint>

#include "resources/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PngImage image;
    if (DecodePng(data, size, image)) {
        // A decoded image always holds exactly width x height pixels within the limits.
        if (image.width <= 0 || image.height <= 0 || image.width > kMaxPngSide || image.height > kMaxPngSide ||
            image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
            __builtin_trap();
        }
    }
    return 0;
}
