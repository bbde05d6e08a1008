#pragma once

#include "view/TarvikView.h"

class QPrinter;

// The sheet figures of a printer in its device pixels.
CPrinterPage PrinterPageOf(const QPrinter& printer);
// Prints (or previews) the page at true vertical scale over as many sheets as it
// needs; the view's layout is the screen's. Returns the number of sheets.
int PrintPage(CTarvikView& view, QPrinter& printer, bool preview);
