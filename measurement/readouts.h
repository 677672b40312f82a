#pragma once
// The main window's value and state boxes, as the frame processing sees them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace calvor {

enum class NumberBox { PV, Avg, MAvg, Span_adj, Pick_Ondo, disp_ondo, OndoAdd };
constexpr size_t NumberBoxCount = 7;

enum class StateBox { Calvor_chk, Machine_chk, Sensor_chk, Gate_Chk };
constexpr size_t StateBoxCount = 4;

// The boxes' names, in the order of their enums.
constexpr std::array<std::string_view, NumberBoxCount> NumberBoxNames{
    "PV", "Avg", "MAvg", "Span_adj", "Pick_Ondo", "disp_ondo", "OndoAdd"};
constexpr std::array<std::string_view, StateBoxCount> StateBoxNames{"Calvor_chk", "Machine_chk", "Sensor_chk",
                                                                    "Gate_Chk"};

// Each state box's fixed item list (UTF-8); the frame's codes select into it.
inline const std::array<std::vector<std::string_view>, StateBoxCount> StateBoxItems{{
    {"정상", "통신이상"},
    {"Use", "Not"},
    {"IR", "TR", "RTD"},
    {"O", "X"},
}};

// A number box holds one integer, or nothing when the operator emptied it.
// A state box holds an item index into its fixed list, -1 for none.
class Readouts {
 public:
  virtual ~Readouts() = default;
  virtual std::optional<int32_t> Value(NumberBox box) const = 0;
  virtual void SetValue(NumberBox box, std::optional<int32_t> value) = 0;
  virtual int ItemIndex(StateBox box) const = 0;
  virtual void SetItemIndex(StateBox box, int index) = 0;
};

// Readouts without a window: the state at start-up is every number 0 and no
// item selected.
class ReadoutValues final : public Readouts {
 public:
  ReadoutValues() { items_.fill(-1); }
  std::optional<int32_t> Value(NumberBox box) const override { return numbers_[static_cast<size_t>(box)]; }
  void SetValue(NumberBox box, std::optional<int32_t> value) override { numbers_[static_cast<size_t>(box)] = value; }
  int ItemIndex(StateBox box) const override { return items_[static_cast<size_t>(box)]; }
  void SetItemIndex(StateBox box, int index) override { items_[static_cast<size_t>(box)] = index; }

 private:
  std::array<std::optional<int32_t>, NumberBoxCount> numbers_{0, 0, 0, 0, 0, 0, 0};
  std::array<int, StateBoxCount> items_{};
};

}  // namespace calvor
