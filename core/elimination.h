// Gauss-Jordan elimination with partial pivoting on a dense augmented matrix.
#pragma once

#include <cmath>
#include <complex>
#include <utility>
#include <vector>

namespace ampera {

inline double Magnitude(double v) { return std::fabs(v); }
inline double Magnitude(const std::complex<double>& v) { return std::abs(v); }

inline constexpr double kPivotThreshold = 1e-10;

// Solves the n x (n+1) row-major system `a` (stride n+1) in place. Rows are
// exchanged through `order` instead of being copied; on success the solution
// of variable c is a[order[c] * (n+1) + n]. The first of equal candidates wins
// the pivot, as in textbook partial pivoting.
//
// Circuit matrices are mostly zeros, so each step updates only the rows whose
// entry in the pivot column is non-zero, and in them only the columns where
// the pivot row is non-zero. Skipped terms are exact zeros, so the answer is
// the same as the plain dense sweep; the buffers are sized by the caller and
// nothing is allocated here.
template <typename T> bool Eliminate(T* a, int n, std::vector<int>& order, std::vector<int>& pattern) {
    const int stride = n + 1;
    order.resize(n);
    pattern.resize(n + 1);
    for (int i = 0; i < n; ++i) order[i] = i;
    for (int c = 0; c < n; ++c) {
        int best = c;
        double bestMag = Magnitude(a[order[c] * stride + c]);
        for (int r = c + 1; r < n; ++r) {
            double m = Magnitude(a[order[r] * stride + c]);
            if (m > bestMag) {
                bestMag = m;
                best = r;
            }
        }
        if (!(bestMag > kPivotThreshold)) return false;
        std::swap(order[c], order[best]);

        T* pivotRow = a + order[c] * stride;
        const T pivot = pivotRow[c];
        int count = 0;
        for (int j = c; j <= n; ++j) {
            if (pivotRow[j] == T(0)) continue;
            pivotRow[j] /= pivot;
            pattern[count++] = j;
        }
        for (int i = 0; i < n; ++i) {
            if (i == order[c]) continue;
            T* row = a + i * stride;
            const T f = row[c];
            if (f == T(0)) continue;
            for (int k = 0; k < count; ++k) row[pattern[k]] -= f * pivotRow[pattern[k]];
        }
    }
    return true;
}

} // namespace ampera
