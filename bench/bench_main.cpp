// The benchmarks' main: the window figures need a Qt application (offscreen in bench/run).

#include <benchmark/benchmark.h>

#ifdef PYX_BENCH_QT
#include <QApplication>
#endif

int main(int argc, char** argv)
{
#ifdef PYX_BENCH_QT
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
