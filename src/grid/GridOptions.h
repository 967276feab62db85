#pragma once
// The grid's options, in the platform grid's order, so that a stored set value keeps its
// meaning (11487 is the editable grid's default set).

#include <initializer_list>

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
};

class TGridOptions {
public:
  constexpr TGridOptions() = default;
  constexpr TGridOptions(std::initializer_list<TGridOption> options) {
    for (TGridOption option : options) value_ |= Bit(option);
  }

  constexpr unsigned Value() const { return value_; }
  constexpr bool Contains(TGridOption option) const { return (value_ & Bit(option)) != 0; }
  constexpr bool operator==(const TGridOptions&) const = default;

private:
  static constexpr unsigned Bit(TGridOption option) { return 1u << option; }
  unsigned value_ = 0;
};
