// SPDX-License-Identifier: MIT
// Data-file benchmarks. The files are generated into a temporary folder when
// the program starts and removed when it ends.
//
//  - ScanDataFiles over 10,000 files against a bare open/read(212)/close loop
//    over the same files in the same run (the search should cost at most
//    1.5 times the bare reads);
//  - a full read of a 65,535-point raw file.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "datafile/data_file_layout.h"
#include "datafile/data_file_scan.h"
#include "datafile/data_file_writer.h"
#include "datafile/reader.h"
#include "fernplot_test_data.h"

namespace fernplot {
namespace {

constexpr int kScanFileCount = 10000;

MeasurementData BenchHeader(int16_t type, uint16_t count, int i) {
  return testing::TestHeader(
      {.dataType = type,
       .pointCount = count,
       .title = "周波数特性 測定 No." + std::to_string(i),
       .version = "V1.20",
       .made = {1998, static_cast<uint16_t>(1 + i % 12), static_cast<uint16_t>(1 + i % 28), 0, 0},
       .sweep = {.minHz = 10.0, .maxHz = 100000.0, .resolutionKind = 1, .resolution = 10}});
}

std::vector<RawRecord> Records(int count) {
  std::vector<RawRecord> records(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) {
    records[static_cast<size_t>(k)] = {10.0 + k, 1.0f / (1.0f + 0.001f * static_cast<float>(k)),
                                       -0.01f * static_cast<float>(k), 1.0f};
  }
  return records;
}

using testing::WriteBytes;

struct BenchFiles {
  testing::TempDir dir{"fernplot-bench"};
  std::string scanPattern;
  std::vector<std::string> scanPaths;
  std::string bigRawFile;

  BenchFiles() {
    const std::filesystem::path& root = dir.path();
    const std::filesystem::path scan = root / "scan";
    std::filesystem::create_directory(scan);
    const std::vector<RawRecord> records = Records(101);
    for (int i = 0; i < kScanFileCount; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "M%05d.DAT", i);
      const std::filesystem::path path = scan / name;
      WriteBytes(path, EncodeRawDataFile(BenchHeader(0, 101, i), records));
      scanPaths.push_back(path.string());
    }
    scanPattern = (scan / "*.DAT").string();
    bigRawFile = (root / "BIG.DAT").string();
    WriteBytes(bigRawFile, EncodeRawDataFile(BenchHeader(0, 65535, 0), Records(65535)));
  }
};

void BareHeaderReads(benchmark::State& state, const BenchFiles* files) {
  unsigned char buffer[kHeaderSize];
  for (auto _ : state) {
    size_t total = 0;
    for (const std::string& path : files->scanPaths) {
      int fd = open(path.c_str(), O_RDONLY);
      if (fd < 0) {
        state.SkipWithError("cannot open a benchmark file");
        return;
      }
      ssize_t n = read(fd, buffer, sizeof buffer);
      close(fd);
      total += n > 0 ? static_cast<size_t>(n) : 0;
    }
    benchmark::DoNotOptimize(total);
    benchmark::DoNotOptimize(buffer);
  }
  state.SetItemsProcessed(state.iterations() * kScanFileCount);
}

void ScanFolder(benchmark::State& state, const BenchFiles* files) {
  for (auto _ : state) {
    DataFileList list;
    ScanDataFiles(files->scanPattern, list);
    if (list.size() != static_cast<size_t>(kScanFileCount)) state.SkipWithError("files missing");
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * kScanFileCount);
}

void HeaderOnlyRead(benchmark::State& state, const BenchFiles* files) {
  std::string message;
  for (auto _ : state) {
    auto data = ReadDataFile(false, files->scanPaths.front(), message);
    benchmark::DoNotOptimize(data);
  }
}

void FullReadBigRaw(benchmark::State& state, const BenchFiles* files) {
  for (auto _ : state) {
    auto data = ReadDataFileForPage(files->bigRawFile);
    if (!data || !data->points || data->points->size() != 65535) {
      state.SkipWithError("full read failed");
    }
    benchmark::DoNotOptimize(data);
  }
  state.SetItemsProcessed(state.iterations() * 65535);
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<int64_t>(RawRecordLayout::kDataStart + RawRecordLayout::kSize * kMaxPointCount));
}

}  // namespace
}  // namespace fernplot

int main(int argc, char** argv) {
  using namespace fernplot;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const BenchFiles files;
  // Same-run pair: compare ScanDataFiles/10000 with BareHeaderReads/10000.
  benchmark::RegisterBenchmark("BareHeaderReads/10000", BareHeaderReads, &files)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ScanDataFiles/10000", ScanFolder, &files)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ReadDataFile/HeaderOnly", HeaderOnlyRead, &files)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ReadDataFile/Full65535Raw", FullReadBigRaw, &files)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
