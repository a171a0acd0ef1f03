# viewer benchmarks
