// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportTypes.h"

#include <cmath>

QSize paperSizeMM(tPapersize paper)
{
    switch (paper) {
    case alr_A4:
        return {210, 297};
    case alr_A5:
        return {148, 210};
    case alr_Legal:
        return {215, 355};
    case alr_Letter:
        return {215, 279};
    }
    return {210, 297};
}

int roundUpHalfEven(double value)
{
    // nearbyint rounds in the current rounding mode, which is to nearest, ties to even.
    return int(std::nearbyint(value + 0.5));
}

int scaleToPrinter(int screenPixels, int printerPixelsPerInch)
{
    return roundUpHalfEven(double(screenPixels) * printerPixelsPerInch / screenPixelsPerInch);
}

int millimetresToPrinter(int millimetres, int printerPixelsPerInch)
{
    return roundUpHalfEven(printerPixelsPerInch * double(millimetres) / 25.4);
}
