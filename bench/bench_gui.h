#pragma once
// The main() of benchmarks that measure text: a GUI application without a
// window, offscreen unless a platform is set.
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#define PELVARON_GUI_BENCHMARK_MAIN()                                                            \
  int main(int argc, char** argv) {                                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QGuiApplication app(argc, argv);                                                             \
    benchmark::Initialize(&argc, argv);                                                          \
    benchmark::RunSpecifiedBenchmarks();                                                         \
    benchmark::Shutdown();                                                                       \
    return 0;                                                                                    \
  }
