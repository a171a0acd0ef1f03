# datafile benchmarks
