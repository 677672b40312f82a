#pragma once
// "Excel": the batch log, as displayed, into an .xls workbook the operator
// may open at once.
#include <QDate>
#include <QString>
#include <functional>

class QAbstractItemModel;

namespace calvor {

// The folder exports go to: the user's documents folder.
QString ExportFolder();
// "<folder>/[생산온도 관리도] yyyy-mm-dd.xls": one name a day, never growing.
QString ExportFilePath(const QDate& day);

// Writes the workbook, then asks whether to open it; Yes opens it with the
// desktop's program for .xls files without waiting. Failures throw.
void ExportLog(const QAbstractItemModel& view);

// Tests: where exports go, and what "open" does.
void SetExportFolderForTests(const QString& folder);
void SetFileOpenerForTests(std::function<void(const QString& path)> opener);

}  // namespace calvor
