#pragma once

#include "view/TarvikView.h"

class QPrinter;

// The sheet figures of a printer in its device pixels.
CPrinterPage PrinterPageOf(const QPrinter& printer);
// Prints (or previews) the page at true vertical scale over as many sheets as it
// needs, or over those of the range chosen in the print dialog; the view's layout is
// the screen's. Returns the number of sheets printed: 0 when the printer could not
// be started, -1 when it stopped before the last sheet.
int PrintPage(CTarvikView& view, QPrinter& printer, bool preview);

// A printer that prints nowhere yet: a PDF without a file name (what a machine
// without a printer gets), or the native format with no printer. The user must name
// a PDF file for it first.
bool NeedsPdfFileName(const QPrinter& printer);
