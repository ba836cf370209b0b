#pragma once
#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>

#include "app/chart.h"
#include "lagna/page_fields.h"
#include "report/report_options.h"

class QIODevice;
class QPagedPaintDevice;

namespace corvane {

// The paper of the options: chosen, or from the system locale (Letter where the locale
// measures in US customary units, A4 elsewhere).
QPageSize ReportPageSize(const ReportOptions& options);

// Portrait pages of that paper with the reading's margins.
QPageLayout ReportPageLayout(const ReportOptions& options);

// Paints the whole reading on a paged device (a printer, a print preview or a PDF writer)
// in its current page layout: the front section with the birth details, the square chart,
// the positions, sunrise and sunset and the lagna overview, then one section per lagna
// entry, then the birth-time sweep it is handed (none: no sweep section; it computes none
// itself); each page under a header with the name and birth date and over "page N of M".
// Returns the number of pages, 0 when the device could not be painted.
// With `vargas` the "Divisional Charts" section (the D9 and D10 charts and the sixteen-varga
// table) comes between the lagna sections and the sweep.
int PaintReport(const Chart& chart, const LagnaPageFields& fields, QPagedPaintDevice& device,
                const BirthSweep* sweep, const VargaCharts* vargas = nullptr);

// The reading as a PDF document (fonts embedded) written to `out`. False when it could not
// be written whole.
bool WriteReportPdf(const Chart& chart, const LagnaPageFields& fields, const ReportOptions& options,
                    QIODevice& out);

// The same as bytes, ready to be saved; empty on failure.
QByteArray ReportPdfBytes(const Chart& chart, const LagnaPageFields& fields, const ReportOptions& options);

}  // namespace corvane
