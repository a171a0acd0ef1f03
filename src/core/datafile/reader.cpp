// SPDX-License-Identifier: MIT
#include "datafile/reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>

#include "cpu/vector_state.h"
#include "datafile/data_file_layout.h"
#include "datafile/reader_internal.h"
#include "text/encoding.h"

namespace fernplot {
namespace {

// "ファイル[%s]が見つかりません" with the path in place of %s.
constexpr char kMsgNotFoundBefore[] = "ファイル[";
constexpr char kMsgNotFoundAfter[] = "]が見つかりません";
constexpr char kMsgBadFormat[] = "ファイルの形式が違います";
constexpr char kMsgReadError[] = "ファイルの読み込みエラー";
constexpr char kMsgNoPoints[] = "データ件数がゼロです";
constexpr char kMsgBadDataPart[] = "データ部の形式が違います";

// The largest data part any header can ask for. A full read never needs
// more, however large the file is.
constexpr size_t kMaxNeeded = RawRecordLayout::kDataStart + RawRecordLayout::kSize * kMaxPointCount;

// Closes the descriptor on every path out of the reader.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads until `size` bytes arrived, the file ended or an error occurred.
size_t ReadFully(int fd, unsigned char* buffer, size_t size) {
  size_t got = 0;
  while (got < size) {
    ssize_t n = pread(fd, buffer + got, size - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

float Decibels(double ratio) {
  return static_cast<float>(20.0 * std::log10(ratio));
}

// File record k becomes element count-1-k: the array runs in the reverse of
// the file's order.
std::vector<DataPoint> DecodePoints(const unsigned char* data, const MeasurementData& d) {
  // Two log10 per point: at full speed only with the upper halves clear.
  ClearUpperVectorState();
  const size_t count = d.pointCount;
  // A type other than raw or calculated has no known record layout: its
  // points stay zero, one per record, so the array still matches pointCount.
  std::vector<DataPoint> points(count);
  if (d.dataType == 0) {
    using R = RawRecordLayout;
    const unsigned char* rec = data + R::kDataStart;
    for (size_t k = 0; k < count; ++k, rec += R::kSize) {
      DataPoint& p = points[count - 1 - k];
      const double ch1 = ReadBigEndianFloat(rec + R::kCh1Level);
      const float phase = ReadBigEndianFloat(rec + R::kPhase);
      const double ch2 = ReadBigEndianFloat(rec + R::kCh2Level);
      p.frequency = ReadBigEndianDouble(rec + R::kFrequency);
      p.gainCh1Ch2 = Decibels(ch1 / ch2);
      p.gainCh2Ch1 = Decibels(ch2 / ch1);
      p.phaseCh1Ch2 = phase;
      p.phaseCh2Ch1 = -phase;
    }
  } else if (d.dataType == 1) {
    using C = CalculatedRecordLayout;
    const unsigned char* rec = data + C::kDataStart;
    for (size_t k = 0; k < count; ++k, rec += C::kSize) {
      DataPoint& p = points[count - 1 - k];
      p.frequency = ReadBigEndianDouble(rec + C::kFrequency);
      p.gainCh1Ch2 = Decibels(ReadBigEndianFloat(rec + C::kRatio));
      p.phaseCh1Ch2 = ReadBigEndianFloat(rec + C::kPhase);
    }
  }
  return points;
}

size_t DataPartSize(const MeasurementData& d) {
  return d.dataType == 0
             ? RawRecordLayout::kDataStart + RawRecordLayout::kSize * d.pointCount
             : CalculatedRecordLayout::kDataStart + CalculatedRecordLayout::kSize * d.pointCount;
}

}  // namespace

namespace {

// Everything after the open; `fd` is closed by the caller's handle.
std::optional<MeasurementData> ReadOpenFile(int fd, bool fullRead, std::string& message,
                                            Cp932Decoder& decoder) {
  // The size by seeking to the end: cheaper than a full stat, and the reads
  // below are positioned. Whatever cannot seek (a FIFO, some folders) cannot
  // be read either.
  const off_t end = lseek(fd, 0, SEEK_END);
  if (end < 0) {
    message = kMsgReadError;
    return std::nullopt;
  }
  const size_t fileSize = static_cast<size_t>(end);
  if (fileSize < kHeaderSize) {
    message = kMsgBadFormat;
    return std::nullopt;
  }

  const size_t wanted = fullRead ? std::min(fileSize, kMaxNeeded) : kHeaderSize;
  // The header alone fits on the stack; a full read gets one buffer for the
  // whole data part.
  unsigned char headerBuffer[kHeaderSize];
  std::unique_ptr<unsigned char[]> fileBuffer;
  unsigned char* buffer = headerBuffer;
  if (fullRead) {
    fileBuffer = std::make_unique_for_overwrite<unsigned char[]>(wanted);
    buffer = fileBuffer.get();
  }
  const size_t got = ReadFully(fd, buffer, wanted);
  return DecodeDataFile(buffer, got, fileSize, fullRead, message, decoder);
}

// Non-blocking, so that a FIFO among the data files cannot stall a search.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

}  // namespace

std::optional<MeasurementData> DecodeDataFile(const unsigned char* bytes, size_t size,
                                              size_t fileSize, bool fullRead, std::string& message,
                                              Cp932Decoder& decoder) {
  const size_t wanted = fullRead ? std::min(fileSize, kMaxNeeded) : kHeaderSize;
  if (fileSize < kHeaderSize) {
    message = kMsgBadFormat;
    return std::nullopt;
  }
  if (size < wanted) {
    message = kMsgReadError;
    return std::nullopt;
  }
  if (ReadBigEndianUnsigned(bytes + kHeaderLengthOffset, 4) != kHeaderSize) {
    message = kMsgBadFormat;
    return std::nullopt;
  }

  MeasurementData data;
  DecodeHeaderFields(decoder, bytes, data);
  if (data.pointCount == 0) {
    message = kMsgNoPoints;
    return data;
  }
  // Always against the real size, also when only the header was read.
  if (fileSize < DataPartSize(data)) {
    message = kMsgBadDataPart;
    return data;
  }
  if (fullRead) data.points = DecodePoints(bytes, data);
  return data;
}

std::optional<MeasurementData> ReadDataFile(bool fullRead, const std::string& path,
                                            std::string& message) {
  FileHandle file(open(path.c_str(), kOpenFlags));
  if (file.get() < 0) {
    message = kMsgNotFoundBefore + path + kMsgNotFoundAfter;
    return std::nullopt;
  }
  Cp932Decoder decoder;
  return ReadOpenFile(file.get(), fullRead, message, decoder);
}

std::optional<MeasurementData> ReadDataFileHeaderAt(int folderFd, const char* name,
                                                    const std::string& fullPath,
                                                    std::string& message, Cp932Decoder& decoder) {
  FileHandle file(openat(folderFd, name, kOpenFlags));
  if (file.get() < 0) {
    message = kMsgNotFoundBefore + fullPath + kMsgNotFoundAfter;
    return std::nullopt;
  }
  return ReadOpenFile(file.get(), false, message, decoder);
}

std::optional<MeasurementData> ReadDataFileForPage(const std::string& path) {
  std::string ignored;
  return ReadDataFile(true, path, ignored);
}

}  // namespace fernplot
