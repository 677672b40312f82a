#pragma once
// The table of logged batches, kept in the order rows were added.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calvor {

struct BatchLogRow {
  std::string time;             // "hh:mm" when logged; any text the operator typed
  std::optional<int32_t> temp;  // empty when the operator left it so
  bool operator==(const BatchLogRow&) const = default;
};

// What the batch tracker needs of the log. The operator's insert, edit and
// delete go through the window's model of the same rows.
class TBatchLog {
 public:
  virtual ~TBatchLog() = default;
  virtual size_t RowCount() const = 0;
  // Grow by one row and set the new last row's two values.
  virtual void AppendRow(const std::string& time, int32_t temp) = 0;
  // Set the row count to 0.
  virtual void Clear() = 0;
};

class BatchLogRows final : public TBatchLog {
 public:
  size_t RowCount() const override { return rows_.size(); }
  void AppendRow(const std::string& time, int32_t temp) override { rows_.push_back({time, temp}); }
  void Clear() override { rows_.clear(); }
  const std::vector<BatchLogRow>& Rows() const { return rows_; }

 private:
  std::vector<BatchLogRow> rows_;
};

// Row indices in the log view's start-up order: time text descending, rows
// with equal time text in the order they were added.
std::vector<size_t> DisplayOrder(const std::vector<BatchLogRow>& rows);

// The temperature as the log shows it: at least three digits, zero-filled
// ("095"); an empty temperature shows as "0".
std::string FormatLogTemp(const std::optional<int32_t>& temp);

}  // namespace calvor
