#include "app/log_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QTimerEvent>

namespace calvor {

bool LogSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  // The log's own time texts in byte order, as DisplayOrder sorts them (no
  // locale collation, no conversion per comparison).
  const auto& rows = static_cast<const BatchLogModel*>(sourceModel())->Rows();
  return rows[static_cast<size_t>(left.row())].time < rows[static_cast<size_t>(right.row())].time;
}

LogTable::LogTable(BatchLogModel* log, QWidget* parent) : QTableView(parent), log_(log) {
  sorted_ = new LogSortModel(this);
  sorted_->setSourceModel(log_);
  sorted_->setDynamicSortFilter(true);
  setModel(sorted_);
  sortByTime(Qt::DescendingOrder);

  QHeaderView* h = horizontalHeader();
  h->setSectionResizeMode(QHeaderView::Fixed);
  h->setSectionsMovable(false);
  h->setSectionsClickable(true);
  h->setHighlightSections(false);
  h->setMinimumSectionSize(20);
  setColumnWidth(BatchLogModel::TimeColumn, 65);
  setColumnWidth(BatchLogModel::TempColumn, 62);
  h->setSortIndicatorShown(true);
  connect(h, &QHeaderView::sectionClicked, this, [this](int section) {
    if (section == BatchLogModel::TimeColumn)
      sortByTime(order_ == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder);
    else
      horizontalHeader()->setSortIndicator(BatchLogModel::TimeColumn, order_);
  });
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(sorted_, &QAbstractItemModel::rowsInserted, this, [this] { HoldRepaint(); });
}

void LogTable::HoldRepaint() {
  if (repaintHold_.isActive()) return;
  setUpdatesEnabled(false);
  repaintHold_.start(RepaintMs, this);
}

void LogTable::timerEvent(QTimerEvent* e) {
  if (e->timerId() != repaintHold_.timerId()) return QTableView::timerEvent(e);
  repaintHold_.stop();
  setUpdatesEnabled(true);  // repaints what changed meanwhile
}

void LogTable::sortByTime(Qt::SortOrder order) {
  order_ = order;
  sorted_->sort(BatchLogModel::TimeColumn, order);
  horizontalHeader()->setSortIndicator(BatchLogModel::TimeColumn, order);
}

void LogTable::goFirst() {
  if (sorted_->rowCount() > 0) selectRow(0);
}

void LogTable::goLast() {
  if (sorted_->rowCount() > 0) selectRow(sorted_->rowCount() - 1);
}

void LogTable::insertRow() {
  post();
  const int at = static_cast<int>(log_->RowCount());
  log_->InsertEmptyRow(at);
  const QModelIndex shown = sorted_->mapFromSource(log_->index(at, BatchLogModel::TimeColumn));
  pendingInsert_ = log_->index(at, 0);
  setCurrentIndex(shown);
  edit(shown);
}

void LogTable::deleteRow() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  if (QWidget* editor = openEditor()) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
  const int row = sorted_->mapToSource(current).row();
  if (row >= 0) log_->removeRows(row, 1);
  pendingInsert_ = QPersistentModelIndex();
}

void LogTable::editRow() {
  QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  edit(current);
}

void LogTable::post() {
  if (QWidget* editor = openEditor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  pendingInsert_ = QPersistentModelIndex();
}

void LogTable::cancel() {
  if (QWidget* editor = openEditor()) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
  if (pendingInsert_.isValid()) {
    log_->removeRows(pendingInsert_.row(), 1);
    pendingInsert_ = QPersistentModelIndex();
  }
}

void LogTable::refresh() {
  post();
  sorted_->invalidate();
  sortByTime(order_);
  viewport()->update();
}

QWidget* LogTable::openEditor() const {
  if (state() != EditingState) return nullptr;
  return indexWidget(currentIndex());
}

void LogTable::paintEvent(QPaintEvent* e) {
  QTableView::paintEvent(e);
  if (model()->rowCount() > 0) return;
  QPainter p(viewport());
  p.setPen(palette().color(QPalette::Text));
  p.drawText(viewport()->rect().adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop, emptyText());
}

LogNavigator::LogNavigator(LogTable* table, QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 1, 0, 1);
  row->setSpacing(0);
  struct Button {
    const char* name;
    const char* glyph;
    void (LogTable::*command)();
  };
  const Button buttons[] = {
      {"First", "⇤", &LogTable::goFirst}, {"Next page", "⇉", nullptr},
      {"Last", "⇥", &LogTable::goLast},   {"Insert", "+", &LogTable::insertRow},
      {"Delete", "−", &LogTable::deleteRow}, {"Edit", "▲", &LogTable::editRow},
      {"Post", "✔", &LogTable::post},     {"Cancel", "✖", &LogTable::cancel},
      {"Refresh", "↻", &LogTable::refresh},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromUtf8(b.name));
    button->setText(QString::fromUtf8(b.glyph));
    button->setToolTip(QString::fromUtf8(b.name));
    button->setAutoRaise(true);
    button->setFixedSize(15, 18);
    button->setFocusPolicy(Qt::NoFocus);
    if (b.command) {
      connect(button, &QToolButton::clicked, table, [table, command = b.command] { (table->*command)(); });
    } else {
      button->setEnabled(false);
    }
    row->addWidget(button);
  }
  row->addStretch();
}

QToolButton* LogNavigator::button(const QString& name) const { return findChild<QToolButton*>(name); }

}  // namespace calvor
