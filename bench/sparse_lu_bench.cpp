// The two sparse LU libraries made for this kind of matrix, on the nodal
// matrices of ladder boards (a rail of series conductances with a shunt at
// every node, a voltage source every tenth rung): SuiteSparse KLU as the
// solver uses it (analysis kept, values refactored) against Eigen's SparseLU
// (pattern analysed once, factorised per solve), real and complex. Built
// only where Eigen is installed (libeigen3-dev).
#include "core/sparse_lu.h"

#include <Eigen/Sparse>
#include <Eigen/SparseLU>
#include <benchmark/benchmark.h>

#include <complex>
#include <vector>

namespace {

using namespace ampera;

// The entries of a ladder of `rungs` nodes with a source every tenth rung,
// conductances made complex (an RC ladder at 1 kHz) when T is.
template <typename T> std::vector<CMatrixEntry<T>> Ladder(int rungs, int& n) {
    const int sources = rungs / 10 + 1;
    n = rungs + sources;
    std::vector<CMatrixEntry<T>> e;
    auto g = [](int k) {
        if constexpr (std::is_same_v<T, double>)
            return 1.0 / (100 + k % 13);
        else
            return T(1.0 / (100 + k % 13), 2 * 3.14159 * 1000 * 1e-7 * (1 + k % 3));
    };
    for (int i = 0; i < rungs; ++i) {
        e.push_back({i, i, g(i)}); // shunt to the reference
        if (i + 1 < rungs) {
            const T s = g(i + 7);
            e.push_back({i, i, s});
            e.push_back({i + 1, i + 1, s});
            e.push_back({i, i + 1, -s});
            e.push_back({i + 1, i, -s});
        }
    }
    for (int k = 0; k < sources; ++k) {
        const int node = std::min(rungs - 1, k * 10), row = rungs + k;
        e.push_back({node, row, T(1)});
        e.push_back({row, node, T(1)});
    }
    return e;
}

template <typename T> void BM_Klu(benchmark::State& state) {
    int n = 0;
    const std::vector<CMatrixEntry<T>> entries = Ladder<T>(static_cast<int>(state.range(0)), n);
    CSparseLu<T> lu;
    std::vector<CMatrixEntry<T>> work;
    std::vector<T> x;
    for (auto _ : state) {
        work = entries;
        x.assign(static_cast<std::size_t>(n), T(1));
        if (!lu.Solve(n, work, x, 1e-10)) state.SkipWithError("KLU refused the ladder");
        benchmark::DoNotOptimize(x.data());
    }
}

template <typename T> void BM_EigenSparseLu(benchmark::State& state) {
    int n = 0;
    const std::vector<CMatrixEntry<T>> entries = Ladder<T>(static_cast<int>(state.range(0)), n);
    std::vector<Eigen::Triplet<T>> triplets;
    for (const auto& e : entries)
        triplets.emplace_back(e.row, e.column, e.value);
    Eigen::SparseMatrix<T> a(n, n);
    a.setFromTriplets(triplets.begin(), triplets.end());
    Eigen::SparseLU<Eigen::SparseMatrix<T>, Eigen::COLAMDOrdering<int>> lu;
    lu.analyzePattern(a);
    Eigen::Matrix<T, Eigen::Dynamic, 1> b = Eigen::Matrix<T, Eigen::Dynamic, 1>::Ones(n), x;
    for (auto _ : state) {
        // The same work as the solver's: the matrix assembled from its
        // entries, factorised and solved.
        a.setFromTriplets(triplets.begin(), triplets.end());
        lu.factorize(a);
        if (lu.info() != Eigen::Success) state.SkipWithError("SparseLU refused the ladder");
        x = lu.solve(b);
        benchmark::DoNotOptimize(x.data());
    }
}

BENCHMARK(BM_Klu<double>)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EigenSparseLu<double>)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Klu<std::complex<double>>)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EigenSparseLu<std::complex<double>>)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
