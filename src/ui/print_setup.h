#pragma once

#include <QString>

class QPrinter;

namespace quorvane {

enum class PageOrientation { Portrait, Landscape };

// Every printout: one A4 sheet of the given orientation at 300 dpi (the print
// styles' two-pixel pens and the page layouts are meant for a page of a few
// thousand pixels, as office printers print), the whole sheet addressable.
void SetUpA4Printer(QPrinter& printer, const QString& documentName, PageOrientation orientation);

} // namespace quorvane
