#include "app/batch_log_model.h"

#include <algorithm>

namespace calvor {

void BatchLogModel::AppendRow(const std::string& time, int32_t temp) {
  const int row = static_cast<int>(rows_.size());
  beginInsertRows({}, row, row);
  rows_.push_back({time, temp});
  endInsertRows();
}

void BatchLogModel::Clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void BatchLogModel::InsertEmptyRow(int row) {
  row = std::clamp(row, 0, static_cast<int>(rows_.size()));
  beginInsertRows({}, row, row);
  rows_.insert(rows_.begin() + row, BatchLogRow{});
  endInsertRows();
}

int BatchLogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BatchLogModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BatchLogModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const BatchLogRow& r = rows_[static_cast<size_t>(index.row())];
  const bool time = index.column() == TimeColumn;
  switch (role) {
    case Qt::DisplayRole:
      return time ? QString::fromStdString(r.time) : QString::fromStdString(FormatLogTemp(r.temp));
    case Qt::EditRole:
      if (time) return QString::fromStdString(r.time);
      return r.temp ? QString::number(*r.temp) : QString();
    case Qt::TextAlignmentRole:
      return time ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool BatchLogModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= static_cast<int>(rows_.size())) return false;
  BatchLogRow& r = rows_[static_cast<size_t>(index.row())];
  const QString text = value.toString().trimmed();
  if (index.column() == TimeColumn) {
    // A workbook cell holds 255 characters; a time text needs five.
    if (value.toString().size() > 255) return false;
    r.time = value.toString().toStdString();
  } else if (text.isEmpty()) {
    r.temp.reset();
  } else {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) return false;
    r.temp = v;
  }
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags BatchLogModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant BatchLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == TimeColumn ? QStringLiteral("Time") : QStringLiteral("온도(℃)");
}

bool BatchLogModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count <= 0 || row + count > static_cast<int>(rows_.size())) return false;
  beginRemoveRows({}, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  return true;
}

}  // namespace calvor
