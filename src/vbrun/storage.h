#pragma once
// Where variables keep their values: a scalar, or an array with its bounds.
#include <cstdint>
#include <memory>
#include <vector>

#include "vbrun/value.h"

namespace korva::vbrun {

struct ArrayData {
  VbType type = VbType::kVariant;
  std::vector<int32_t> lower;
  std::vector<int32_t> extent;
  std::vector<Value> items;  // row-major

  // Sizes the array afresh; every element takes its type's initial value.
  // `keep` (ReDim Preserve) keeps the elements whose subscripts still exist.
  void Resize(std::vector<int32_t> newLower, std::vector<int32_t> newExtent, bool keep);

  // The element at the subscripts; error 9 when out of range or of the wrong count.
  Value& At(const int32_t* subscripts, size_t count);
};

struct Variable {
  VbType type = VbType::kVariant;
  Value value;
  std::unique_ptr<ArrayData> array;  // arrays: null until sized
  bool isArray = false;
};

}  // namespace korva::vbrun
