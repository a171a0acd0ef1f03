#include "datafile/reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <string_view>

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

constexpr size_t kRawDataStart = 240;
constexpr size_t kRawRecordSize = 28;
constexpr size_t kCalcDataStart = 228;
constexpr size_t kCalcRecordSize = 16;
// The largest data part any header can ask for (65535 raw records). A full
// read never needs more, however large the file is.
constexpr size_t kMaxNeeded = kRawDataStart + kRawRecordSize * 65535;

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

int16_t ReadSigned16(const unsigned char* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(ReadBigEndianUnsigned(p, 2)));
}
uint16_t ReadUnsigned16(const unsigned char* p) {
  return static_cast<uint16_t>(ReadBigEndianUnsigned(p, 2));
}

// A text field: up to the first NUL or the end of the field.
std::string ReadText(Cp932Decoder& decoder, const unsigned char* p, size_t width) {
  const void* nul = std::memchr(p, 0, width);
  size_t len = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - p) : width;
  return decoder.Decode(std::string_view(reinterpret_cast<const char*>(p), len));
}

// The 8-byte value slots hold a double only for one kind; otherwise their
// first two bytes are a 16-bit count.
double ReadValueSlot(const unsigned char* p, bool isDouble) {
  return isDouble ? ReadBigEndianDouble(p) : static_cast<double>(ReadUnsigned16(p));
}

void DecodeHeader(Cp932Decoder& decoder, const unsigned char* h, MeasurementData& d) {
  d.modelName = ReadText(decoder, h + 8, 16);
  d.version = ReadText(decoder, h + 24, 8);
  d.dataType = ReadSigned16(h + 44);
  d.pointCount = ReadUnsigned16(h + 46);
  d.year = ReadUnsigned16(h + 50);
  d.month = ReadUnsigned16(h + 52);
  d.day = ReadUnsigned16(h + 54);
  d.hour = ReadUnsigned16(h + 56);
  d.minute = ReadUnsigned16(h + 58);
  d.dataTitle = ReadText(decoder, h + 60, 64);
  d.oscAmplitude = ReadBigEndianDouble(h + 124);
  d.oscDcBias = ReadBigEndianDouble(h + 132);
  d.oscWaveform = ReadSigned16(h + 140);
  d.sweepMaxFrequency = ReadBigEndianDouble(h + 144);
  d.sweepMinFrequency = ReadBigEndianDouble(h + 152);
  d.resolutionKind = ReadSigned16(h + 160);
  d.resolution = ReadValueSlot(h + 164, d.resolutionKind == 3);
  d.integrationKind = ReadSigned16(h + 172);
  d.integration = ReadValueSlot(h + 176, d.integrationKind == 1);
  d.delayKind = ReadSigned16(h + 184);
  d.delay = ReadValueSlot(h + 188, d.delayKind == 1);
  d.harmonicOrder = ReadSigned16(h + 196);
  d.measurementMode = ReadSigned16(h + 198);
  d.autoIntegration = ReadBigEndianUnsigned(h + 200, 4);
  d.highDensitySweep = ReadBigEndianUnsigned(h + 204, 4);
  d.amplitudeCompression = ReadBigEndianUnsigned(h + 208, 4);
  d.phaseRange = 0;
}

float Decibels(double ratio) {
  return static_cast<float>(20.0 * std::log10(ratio));
}

// File record k becomes element count-1-k: the array runs in the reverse of
// the file's order.
std::vector<DataPoint> DecodePoints(const unsigned char* data, const MeasurementData& d) {
  const size_t count = d.pointCount;
  // A type other than raw or calculated has no known record layout: its
  // points stay zero, one per record, so the array still matches pointCount.
  std::vector<DataPoint> points(count);
  if (d.dataType == 0) {
    const unsigned char* rec = data + kRawDataStart;
    for (size_t k = 0; k < count; ++k, rec += kRawRecordSize) {
      DataPoint& p = points[count - 1 - k];
      const double ch1 = ReadBigEndianFloat(rec + 8);
      const float phase = ReadBigEndianFloat(rec + 12);
      const double ch2 = ReadBigEndianFloat(rec + 16);
      p.frequency = ReadBigEndianDouble(rec);
      p.gainCh1Ch2 = Decibels(ch1 / ch2);
      p.gainCh2Ch1 = Decibels(ch2 / ch1);
      p.phaseCh1Ch2 = phase;
      p.phaseCh2Ch1 = -phase;
    }
  } else if (d.dataType == 1) {
    const unsigned char* rec = data + kCalcDataStart;
    for (size_t k = 0; k < count; ++k, rec += kCalcRecordSize) {
      DataPoint& p = points[count - 1 - k];
      p.frequency = ReadBigEndianDouble(rec);
      p.gainCh1Ch2 = Decibels(ReadBigEndianFloat(rec + 8));
      p.phaseCh1Ch2 = ReadBigEndianFloat(rec + 12);
    }
  }
  return points;
}

size_t DataPartSize(const MeasurementData& d) {
  return d.dataType == 0 ? kRawDataStart + kRawRecordSize * d.pointCount
                         : kCalcDataStart + kCalcRecordSize * d.pointCount;
}

}  // namespace

uint32_t ReadBigEndianUnsigned(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value * 256u + p[i];
  return value;
}

float ReadBigEndianFloat(const unsigned char* p) {
  uint32_t bits = ReadBigEndianUnsigned(p, 4);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double ReadBigEndianDouble(const unsigned char* p) {
  uint64_t bits =
      (static_cast<uint64_t>(ReadBigEndianUnsigned(p, 4)) << 32) | ReadBigEndianUnsigned(p + 4, 4);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

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
  if (ReadBigEndianUnsigned(bytes, 4) != kHeaderSize) {
    message = kMsgBadFormat;
    return std::nullopt;
  }

  MeasurementData data;
  DecodeHeader(decoder, bytes, data);
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
