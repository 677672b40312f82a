#pragma once
// The production temperature control chart: the batch log on A4 pages.
#include <QDate>
#include <QString>
#include <utility>
#include <vector>

class QPrinter;
class QAbstractItemModel;

namespace calvor {

inline const QString ChartCaption = QStringLiteral("[ 생산온도 관리도 ]");

// The rows of a table as it shows them: display texts, display order.
using DisplayedRows = std::vector<std::pair<QString, QString>>;
DisplayedRows RowsAsDisplayed(const QAbstractItemModel& view);

// A4 portrait, 12.7 mm margins; the report paints its own header and footer
// 6.35 mm from the paper's edges.
void SetupReportPage(QPrinter& printer);

// Page header (centred caption), footer (date printed, right), and on every
// page the caption row and the column captions over the rows that fit.
// Returns the number of pages painted.
int PaintLogReport(QPrinter& printer, const QString& levelCaption, const DisplayedRows& rows, const QDate& printed);

}  // namespace calvor
