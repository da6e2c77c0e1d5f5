#pragma once
// Large models for the benchmarks, built directly in the tables: element i is
// "E<i, five digits> elemento numero <i>", its matrix from the rows given.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/connection_matrix.h"
#include "model/element_list.h"
#include "model/model_tables.h"

namespace korva::bench {

// The process's peak memory so far, as a counter: run one benchmark per process
// (--benchmark_filter) to read it for that benchmark alone.
inline void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

inline std::string Id(int i) {
  char id[16];
  std::snprintf(id, sizeof id, "E%05d", i);
  return id;
}

inline std::vector<std::string> Names(int n) {
  std::vector<std::string> names;
  for (int i = 1; i <= n; ++i) names.push_back(Id(i) + " elemento numero " + std::to_string(i));
  return names;
}

inline ModelTables Model(int n, const std::vector<std::string>& rows) {
  ModelTables model;
  SizeElementTables(model, n);
  std::vector<std::string> names = Names(n);
  for (int i = 1; i <= n; ++i) model.ElementList[i] = names[i - 1];
  DeriveIdentifiers(model);
  ReadMatrixLines(model, rows);
  return model;
}

}  // namespace korva::bench
