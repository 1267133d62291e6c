// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The enumerations of the report engine and its controls, the paper table, and the scaling of
// screen pixels to printer pixels that every printed band and control goes through.

#include <QSize>

enum TPrinterOrientation { poPortrait, poLandscape };
enum tPapersize { alr_A4, alr_A5, alr_Legal, alr_Letter };
enum tAlBandType {
    alr_Title,
    alr_PageHeader,
    alr_DetailHeader,
    alr_Detail,
    alr_DetailFooter,
    alr_PageFooter,
    alr_ReportFooter,
    alr_NewPage,
    alr_GroupHeader,
    alr_GroupFooter,
};
enum tAlRulerType { alr_none, alr_cmH, alr_cmHV, alr_cmV };
enum tClipMode { cm_Clip, cm_Expand, cm_Overwrite };
enum tAlSysDataType { alr_Time, alr_Date, alr_DateTime, alr_PageNum, alr_Counter, alr_Count, alr_FormName };
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The resolution the report windows are designed at.
constexpr int screenPixelsPerInch = 96;

// Width and height in millimetres of the paper in portrait.
QSize paperSizeMM(tPapersize paper);

// Round(value + 0.5), where Round sends an exact half to the even neighbour: a fractional
// value goes to the next integer above, an exact integer k stays k when even, else k + 1.
int roundUpHalfEven(double value);
// A length in screen pixels at a printer resolution (pixels per inch).
int scaleToPrinter(int screenPixels, int printerPixelsPerInch);
// A length in millimetres at a printer resolution, by the same rounding.
int millimetresToPrinter(int millimetres, int printerPixelsPerInch);
