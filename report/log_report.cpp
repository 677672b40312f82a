#include "report/log_report.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QPainter>
#include <QPrinter>

namespace calvor {
namespace {

constexpr double MarginMm = 12.7;
constexpr double HeaderFooterMm = 6.35;
constexpr double CaptionRowMm = 9;
constexpr double HeaderRowMm = 7;
constexpr double RowMm = 6;
constexpr double TimeColumnMm = 45;
constexpr double TempColumnMm = 45;

QFont ReportFont(double points, bool bold = false) {
  // One font for Hangul and digits, so the PDF embeds one face.
  QFont f(QStringLiteral("NanumGothic"));
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

}  // namespace

DisplayedRows RowsAsDisplayed(const QAbstractItemModel& view) {
  DisplayedRows rows;
  rows.reserve(static_cast<size_t>(view.rowCount()));
  for (int r = 0; r < view.rowCount(); ++r)
    rows.emplace_back(view.index(r, 0).data().toString(), view.index(r, 1).data().toString());
  return rows;
}

void SetupReportPage(QPrinter& printer) {
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
  printer.setFullPage(true);  // positions below are from the paper's edge
}

int PaintLogReport(QPrinter& printer, const QString& levelCaption, const DisplayedRows& rows, const QDate& printed) {
  QPainter p;
  if (!p.begin(&printer)) return 0;
  const double dpmm = printer.resolution() / 25.4;
  auto mm = [dpmm](double v) { return v * dpmm; };
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF body(mm(MarginMm), mm(MarginMm), paper.width() - mm(2 * MarginMm), paper.height() - mm(2 * MarginMm));
  const QRectF table(body.left(), body.top(), mm(TimeColumnMm + TempColumnMm), body.height());
  const int perPage = std::max(1, static_cast<int>((body.height() - mm(CaptionRowMm + HeaderRowMm)) / mm(RowMm)));
  const int pages = std::max<int>(1, (static_cast<int>(rows.size()) + perPage - 1) / perPage);
  const QColor shade(0xC0, 0xC0, 0xC0);
  const QString date = printed.toString(QStringLiteral("yyyy-MM-dd"));

  for (int page = 0; page < pages; ++page) {
    if (page > 0) printer.newPage();
    // Page header and footer.
    p.setPen(Qt::black);
    p.setFont(ReportFont(11));
    p.drawText(QRectF(body.left(), mm(HeaderFooterMm), body.width(), mm(MarginMm - HeaderFooterMm)),
               Qt::AlignHCenter | Qt::AlignTop, ChartCaption);
    p.setFont(ReportFont(9));
    p.drawText(QRectF(body.left(), paper.height() - mm(MarginMm), body.width(), mm(MarginMm - HeaderFooterMm)),
               Qt::AlignRight | Qt::AlignBottom, date);

    // Caption row and column captions, shaded, on every page.
    double y = table.top();
    const QRectF caption(table.left(), y, table.width(), mm(CaptionRowMm));
    p.fillRect(caption, shade);
    p.drawRect(caption);
    p.setFont(ReportFont(11, true));
    p.drawText(caption, Qt::AlignCenter, levelCaption);
    y += mm(CaptionRowMm);
    const QRectF timeHead(table.left(), y, mm(TimeColumnMm), mm(HeaderRowMm));
    const QRectF tempHead(timeHead.right(), y, mm(TempColumnMm), mm(HeaderRowMm));
    p.setFont(ReportFont(10, true));
    for (const auto& [rect, text] : {std::pair{timeHead, QStringLiteral("Time")}, std::pair{tempHead, QStringLiteral("온도(℃)")}}) {
      p.fillRect(rect, shade);
      p.drawRect(rect);
      p.drawText(rect, Qt::AlignCenter, text);
    }
    y += mm(HeaderRowMm);

    p.setFont(ReportFont(10));
    const int first = page * perPage;
    const int last = std::min<int>(static_cast<int>(rows.size()), first + perPage);
    const double pad = mm(1.5);
    for (int i = first; i < last; ++i) {
      const QRectF timeCell(table.left(), y, mm(TimeColumnMm), mm(RowMm));
      const QRectF tempCell(timeCell.right(), y, mm(TempColumnMm), mm(RowMm));
      p.drawRect(timeCell);
      p.drawRect(tempCell);
      p.drawText(timeCell.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter, rows[size_t(i)].first);
      p.drawText(tempCell.adjusted(pad, 0, -pad, 0), Qt::AlignRight | Qt::AlignVCenter, rows[size_t(i)].second);
      y += mm(RowMm);
    }
  }
  p.end();
  return pages;
}

}  // namespace calvor
