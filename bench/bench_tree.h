#pragma once

// The data tree the benchmarks read: the one INDIKT_BENCH_TREE names, or a
// full-size one written by make-bench-tree into a temporary folder for the
// run. Then the benchmarks the command line chose run.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace indikt {

inline int RunBenchmarksOnTree(int argc, char** argv, QString& tree)
{
    QTemporaryDir generated;
    tree = qEnvironmentVariable("INDIKT_BENCH_TREE");
    if (tree.isEmpty()) {
        tree = generated.path() + "/tree";
        std::fprintf(stderr, "writing the benchmark tree into %s\n", qPrintable(tree));
        if (QProcess::execute(QStringLiteral(INDIKT_MAKE_BENCH_TREE), {tree}) != 0) {
            std::fprintf(stderr, "the benchmark tree could not be written\n");
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace indikt
