#include "sparse_lu.h"

#include <klu.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace ampera {

namespace {
template <typename T> constexpr bool kComplex = !std::is_same_v<T, double>;
} // namespace

template <typename T> struct CSparseLu<T>::Klu {
    klu_common common{};
    klu_symbolic* symbolic = nullptr;
    klu_numeric* numeric = nullptr;

    Klu() {
        klu_defaults(&common);
        // Plain partial pivoting on the unscaled matrix, as the dense
        // elimination does, so a pivot's size means the same in both.
        common.tol = 1.0;
        common.scale = 0;
        common.halt_if_singular = 1;
    }
    ~Klu() {
        FreeNumeric();
        FreeSymbolic();
    }
    void FreeNumeric() {
        if (!numeric) return;
        if constexpr (kComplex<T>)
            klu_z_free_numeric(&numeric, &common);
        else
            klu_free_numeric(&numeric, &common);
        numeric = nullptr;
    }
    void FreeSymbolic() {
        if (symbolic) klu_free_symbolic(&symbolic, &common);
        symbolic = nullptr;
    }
};

template <typename T> CSparseLu<T>::CSparseLu() : m_klu(std::make_unique<Klu>()) {}
template <typename T> CSparseLu<T>::~CSparseLu() = default;

template <typename T> bool CSparseLu<T>::Assemble(int n, std::vector<CMatrixEntry<T>>& entries) {
    // Entries by column (a counting sort, stable), then by row within each
    // column; equal places add up in the order the entries came. The last
    // pattern is kept beside the new one to tell whether it changed.
    m_count.assign(static_cast<std::size_t>(n) + 1, 0);
    for (const CMatrixEntry<T>& e : entries)
        ++m_count[static_cast<std::size_t>(e.column) + 1];
    for (int c = 0; c < n; ++c)
        m_count[static_cast<std::size_t>(c) + 1] += m_count[static_cast<std::size_t>(c)];
    m_sorted.resize(entries.size());
    m_next.assign(m_count.begin(), m_count.end() - 1);
    for (const CMatrixEntry<T>& e : entries)
        m_sorted[static_cast<std::size_t>(m_next[static_cast<std::size_t>(e.column)]++)] = e;
    m_newStart.assign(static_cast<std::size_t>(n) + 1, 0);
    m_newRows.clear();
    m_values.clear();
    for (int c = 0; c < n; ++c) {
        auto first = m_sorted.begin() + m_count[static_cast<std::size_t>(c)];
        auto last = m_sorted.begin() + m_count[static_cast<std::size_t>(c) + 1];
        std::stable_sort(first, last, [](const auto& a, const auto& b) { return a.row < b.row; });
        const int start = static_cast<int>(m_newRows.size());
        m_newStart[static_cast<std::size_t>(c)] = start;
        for (auto it = first; it != last; ++it) {
            if (static_cast<int>(m_newRows.size()) > start && m_newRows.back() == it->row) {
                m_values.back() += it->value;
            } else {
                m_newRows.push_back(it->row);
                m_values.push_back(it->value);
            }
        }
    }
    m_newStart[static_cast<std::size_t>(n)] = static_cast<int>(m_newRows.size());
    const bool same = n == m_n && m_newStart == m_columnStart && m_newRows == m_rowIndex;
    m_n = n;
    m_columnStart.swap(m_newStart);
    m_rowIndex.swap(m_newRows);
    return same;
}

template <typename T> bool CSparseLu<T>::SmallestPivotAbove(double floor) const {
    const klu_numeric* numeric = m_klu->numeric;
    if (!numeric || !numeric->Udiag) return false;
    const T* diagonal = static_cast<const T*>(numeric->Udiag);
    for (int k = 0; k < m_n; ++k) {
        const double size = std::abs(diagonal[k]);
        if (!(size > floor)) return false;
    }
    return true;
}

template <typename T>
bool CSparseLu<T>::Solve(int n, std::vector<CMatrixEntry<T>>& entries, std::vector<T>& rhs, double pivotFloor) {
    m_reused = false;
    if (n <= 0) return true;
    if (static_cast<int>(rhs.size()) != n) return false;
    const bool samePattern = Assemble(n, entries);
    Klu& klu = *m_klu;
    int* ap = m_columnStart.data();
    int* ai = m_rowIndex.data();
    double* ax = reinterpret_cast<double*>(m_values.data());
    auto factor = [&] {
        klu.FreeNumeric();
        if constexpr (kComplex<T>)
            klu.numeric = klu_z_factor(ap, ai, ax, klu.symbolic, &klu.common);
        else
            klu.numeric = klu_factor(ap, ai, ax, klu.symbolic, &klu.common);
        return klu.numeric != nullptr && SmallestPivotAbove(pivotFloor);
    };
    bool factored = false;
    if (samePattern && klu.symbolic) {
        m_reused = true;
        if (klu.numeric) {
            // The same pattern with new values: the pivots chosen last time
            // are tried first; a pivot that became too small asks for a
            // factorisation with pivoting again.
            int refactored = 0;
            if constexpr (kComplex<T>)
                refactored = klu_z_refactor(ap, ai, ax, klu.symbolic, klu.numeric, &klu.common);
            else
                refactored = klu_refactor(ap, ai, ax, klu.symbolic, klu.numeric, &klu.common);
            factored = refactored && SmallestPivotAbove(pivotFloor);
        }
        if (!factored) factored = factor();
    } else {
        klu.FreeNumeric();
        klu.FreeSymbolic();
        klu.symbolic = klu_analyze(n, ap, ai, &klu.common);
        ++m_analyses;
        factored = klu.symbolic && factor();
    }
    if (!factored) return false;
    double* b = reinterpret_cast<double*>(rhs.data());
    int solved = 0;
    if constexpr (kComplex<T>)
        solved = klu_z_solve(klu.symbolic, klu.numeric, n, 1, b, &klu.common);
    else
        solved = klu_solve(klu.symbolic, klu.numeric, n, 1, b, &klu.common);
    if (!solved) return false;
    for (const T& x : rhs)
        if (!std::isfinite(std::abs(x))) return false;
    return true;
}

template <typename T> bool CSparseLu<T>::Resolve(std::vector<T>& rhs) {
    Klu& klu = *m_klu;
    if (!klu.symbolic || !klu.numeric || static_cast<int>(rhs.size()) != m_n) return false;
    double* b = reinterpret_cast<double*>(rhs.data());
    if constexpr (kComplex<T>)
        return klu_z_solve(klu.symbolic, klu.numeric, m_n, 1, b, &klu.common);
    else
        return klu_solve(klu.symbolic, klu.numeric, m_n, 1, b, &klu.common);
}

template class CSparseLu<double>;
template class CSparseLu<std::complex<double>>;

} // namespace ampera
