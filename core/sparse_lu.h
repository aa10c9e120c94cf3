// Sparse LU of a graph's nodal matrix, for graphs too large for the dense
// elimination: SuiteSparse KLU, which is made for circuit matrices (block
// triangular form, fill-reducing ordering, partial pivoting). The symbolic
// analysis is kept while the matrix keeps its pattern, so a solve of the same
// topology with other values only refactors.
#pragma once

#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

namespace ampera {

// One entry of the matrix before assembly; entries at the same place add up.
template <typename T> struct CMatrixEntry {
    int row = 0, column = 0;
    T value{};
};

template <typename T> class CSparseLu {
  public:
    CSparseLu();
    ~CSparseLu();
    CSparseLu(const CSparseLu&) = delete;
    CSparseLu& operator=(const CSparseLu&) = delete;

    // Solves the n x n system given by `entries` for `rhs` (overwritten with
    // the solution). False when the matrix cannot be factored with every
    // pivot above `pivotFloor` in magnitude: the caller then decides with the
    // dense elimination, which is the reference for near-singular systems.
    bool Solve(int n, std::vector<CMatrixEntry<T>>& entries, std::vector<T>& rhs, double pivotFloor);

    // Solves the last factored matrix again for another right side (a
    // refinement step); false without factors.
    bool Resolve(std::vector<T>& rhs);

    // How the last Solve went, for tests and benchmarks.
    bool ReusedAnalysis() const { return m_reused; }
    std::uint64_t Analyses() const { return m_analyses; }

  private:
    struct Klu;
    // Sorts the entries by column and row and sums duplicates into the
    // compressed-column arrays; true when the pattern is the last one's.
    bool Assemble(int n, std::vector<CMatrixEntry<T>>& entries);
    bool SmallestPivotAbove(double floor) const;

    std::unique_ptr<Klu> m_klu;
    int m_n = -1;
    std::vector<int> m_columnStart, m_rowIndex; // compressed columns
    std::vector<T> m_values;
    // Scratch of the assembly, kept so a solve allocates only when it grows.
    std::vector<int> m_count, m_next, m_newStart, m_newRows;
    std::vector<CMatrixEntry<T>> m_sorted;
    bool m_reused = false;
    std::uint64_t m_analyses = 0;
};

extern template class CSparseLu<double>;
extern template class CSparseLu<std::complex<double>>;

} // namespace ampera
