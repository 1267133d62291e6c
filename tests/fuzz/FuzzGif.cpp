// SPDX-License-Identifier: GPL-3.0-or-later
// The GIF loader: any bytes give a picture or none, and a picture of one frame that fills the
// screen comes back whole from the runs it is stored as.

#include "FuzzCheck.h"
#include "platform/GifImage.h"
#include "platform/RunLengthImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = decodeGif(fuzzBytes(data, size));
    if (image.format() == QImage::Format_Indexed8) {
        const RunLengthImage runs = RunLengthImage::fromBytes(RunLengthImage(image).toBytes());
        FUZZ_CHECK(runs.toImage() == image);
    }
    return 0;
}
