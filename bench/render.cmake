# render benchmarks
