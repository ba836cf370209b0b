#pragma once
#include <QObject>
#include <QSizeF>
#include <memory>
#include <vector>

#include "app/birth_sweep.h"
#include "app/chart.h"
#include "lagna/page_fields.h"
#include "lagna/vargas.h"

class QPaintDevice;
class QTextDocument;

namespace corvane {

// The printed reading laid out for one paged device: the front section (birth details,
// the square chart, positions, sunrise and sunset, the lagna overview) and one section per
// lagna entry in page order. Each section starts on a new page and is its own paginated
// document: lines never straddle a page boundary, and a caption that would end a page
// moves to the next page with the text it introduces. A long section continues over as
// many pages as it needs. With a sweep, a last section draws it (the timeline, its summary
// and each lagna's stretches); the sweep must outlive the layout.
class ReportLayout {
 public:
  // `device` measures the text (the printer or PDF writer that will be painted);
  // `bodySize` is the body of one page in its pixels.
  // With `vargas` (which must outlive the layout too) a "Divisional Charts" section follows
  // the lagna sections.
  ReportLayout(const Chart& chart, const LagnaPageFields& fields, QPaintDevice* device, QSizeF bodySize,
               const BirthSweep* sweep = nullptr, const VargaCharts* vargas = nullptr);
  ~ReportLayout();
  ReportLayout(const ReportLayout&) = delete;
  ReportLayout& operator=(const ReportLayout&) = delete;

  struct Section {
    std::unique_ptr<QTextDocument> document;
    int firstPage = 0;  // 0-based page of the whole reading
    int pageCount = 0;
  };
  // Front section first, then the lagna sections by lagna index, the divisional charts',
  // then the sweep's.
  const std::vector<Section>& sections() const { return sections_; }
  int pageCount() const;
  QSizeF bodySize() const { return bodySize_; }

 private:
  QSizeF bodySize_;
  std::unique_ptr<QObject> chartHandler_;  // draws the chart of the front section
  std::unique_ptr<QObject> sweepHandler_;  // draws the timeline of the sweep section
  std::vector<Section> sections_;
};

}  // namespace corvane
