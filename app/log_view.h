#pragma once
// The log table: sorted by time text, newest first, with a navigator bar
// under it for the operator's insert, edit and delete.
#include <QBasicTimer>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QWidget>

#include "app/batch_log_model.h"

namespace calvor {

// Only the time column sorts, by its text; equal times keep log order.
// Its source is always a BatchLogModel.
class LogSortModel final : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

class LogTable final : public QTableView {
 public:
  LogTable(BatchLogModel* log, QWidget* parent = nullptr);

  QString emptyText() const { return QStringLiteral("."); }
  void sortByTime(Qt::SortOrder order);

  // Navigator commands.
  void goFirst();
  void goLast();
  void insertRow();
  void deleteRow();
  void editRow();
  void post();
  void cancel();
  void refresh();

  // The editor of the cell being edited, if any.
  QWidget* openEditor() const;

  static constexpr int RepaintMs = 10;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  // Rows count the moment they are logged; a burst of them is painted once
  // per screen refresh rather than once per row.
  void HoldRepaint();

  QBasicTimer repaintHold_;
  BatchLogModel* log_;
  LogSortModel* sorted_;
  Qt::SortOrder order_ = Qt::DescendingOrder;
  // The row inserted by Insert and not yet posted: Cancel takes it away.
  QPersistentModelIndex pendingInsert_;
};

class LogNavigator final : public QWidget {
 public:
  LogNavigator(LogTable* table, QWidget* parent = nullptr);
  QToolButton* button(const QString& name) const;
};

}  // namespace calvor
