#include "report/log_export.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "app/message_boxes.h"
#include "report/biff8_workbook.h"
#include "report/log_report.h"

namespace calvor {
namespace {

QString& FolderOverride() {
  static QString folder;
  return folder;
}

std::function<void(const QString&)>& Opener() {
  static std::function<void(const QString&)> opener;
  return opener;
}

std::string Utf8(const QString& s) { return s.toUtf8().toStdString(); }

}  // namespace

QString ExportFolder() {
  if (!FolderOverride().isEmpty()) return FolderOverride();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return folder;
}

QString ExportFilePath(const QDate& day) {
  return QDir(ExportFolder()).filePath(QStringLiteral("[생산온도 관리도] ") + day.toString(QStringLiteral("yyyy-MM-dd")) +
                                       QStringLiteral(".xls"));
}

void ExportLog(const QAbstractItemModel& view) {
  const QString path = QDir::toNativeSeparators(ExportFilePath(QDate::currentDate()));
  QDir().mkpath(ExportFolder());

  TextTable table;
  for (int c = 0; c < view.columnCount(); ++c) table.header.push_back(Utf8(view.headerData(c, Qt::Horizontal).toString()));
  const DisplayedRows rows = RowsAsDisplayed(view);
  table.rows.reserve(rows.size());
  for (const auto& [time, temp] : rows) table.rows.push_back({Utf8(time), Utf8(temp)});
  WriteXlsWorkbook(std::filesystem::path(path.toStdU16String()), table);

  QCoreApplication::processEvents();
  if (AskWarningYesNo(QStringLiteral("Warning"), path + QStringLiteral(" 파일을 실행하시겠습니까?"))) {
    if (Opener())
      Opener()(path);
    else
      QDesktopServices::openUrl(QUrl::fromLocalFile(path));  // not awaited; a failure is not reported
  }
  QCoreApplication::processEvents();
}

void SetExportFolderForTests(const QString& folder) { FolderOverride() = folder; }
void SetFileOpenerForTests(std::function<void(const QString&)> opener) { Opener() = std::move(opener); }

}  // namespace calvor
