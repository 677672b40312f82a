#pragma once
// The batch log itself, as a table model: the batch tracker appends to it,
// the operator inserts, edits and deletes through the log view.
#include <QAbstractTableModel>
#include <vector>

#include "measurement/batch_log.h"

namespace calvor {

class BatchLogModel final : public QAbstractTableModel, public TBatchLog {
 public:
  enum Column { TimeColumn, TempColumn, ColumnCount };

  using QAbstractTableModel::QAbstractTableModel;

  // TBatchLog
  size_t RowCount() const override { return rows_.size(); }
  void AppendRow(const std::string& time, int32_t temp) override;
  void Clear() override;

  const std::vector<BatchLogRow>& Rows() const { return rows_; }
  void InsertEmptyRow(int row);

  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

 private:
  std::vector<BatchLogRow> rows_;
};

}  // namespace calvor
