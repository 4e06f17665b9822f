// _wfopen: a device file opened as a host C library stream whose bytes pass through the
// translation of the stream's mode. In text mode a carriage return before a line feed is dropped
// on input and a line feed is written as carriage return and line feed; CTRL+Z ends the input. In
// binary mode the bytes pass as they are.
#include "crt/stream.h"

#include <sys/types.h>
#include <unistd.h>

#include <cstring>
#include <map>

#include "files/open.h"
#include "files/write_times.h"
#include "sim/core.h"
#include "sim/crt.h"

namespace cesim::detail {

namespace {

constexpr unsigned char kControlZ = 0x1A;

struct DeviceStream {
  int descriptor = -1;
  bool text = true;
  FILE* stream = nullptr;
  // Bytes read from the file and not yet given out (text mode looks one byte ahead).
  unsigned char raw[4096];
  size_t rawLength = 0;
  size_t rawPosition = 0;
  bool endOfText = false;  // CTRL+Z was read
};

std::map<FILE*, bool>& OpenStreams() {
  static std::map<FILE*, bool> streams;  // stream -> text mode
  return streams;
}

// The next raw byte, -1 at the end, -2 on an error.
int PeekRaw(DeviceStream& s) {
  if (s.rawPosition == s.rawLength) {
    const ssize_t got = read(s.descriptor, s.raw, sizeof(s.raw));
    if (got < 0) return -2;
    if (got == 0) return -1;
    s.rawLength = static_cast<size_t>(got);
    s.rawPosition = 0;
  }
  return s.raw[s.rawPosition];
}

ssize_t ReadStream(void* cookie, char* buffer, size_t size) {
  DeviceStream& s = *static_cast<DeviceStream*>(cookie);
  size_t given = 0;
  while (given < size && !s.endOfText) {
    int byte = PeekRaw(s);
    if (byte == -2) return given > 0 ? static_cast<ssize_t>(given) : -1;
    if (byte == -1) break;
    ++s.rawPosition;
    if (s.text) {
      if (byte == kControlZ) {
        s.endOfText = true;
        break;
      }
      if (byte == '\r') {
        const int next = PeekRaw(s);
        if (next == '\n') {
          ++s.rawPosition;
          byte = '\n';
        }
      }
    }
    buffer[given++] = static_cast<char>(byte);
  }
  return static_cast<ssize_t>(given);
}

bool WriteAll(int descriptor, const char* bytes, size_t size) {
  while (size > 0) {
    const ssize_t put = write(descriptor, bytes, size);
    if (put <= 0) return false;
    bytes += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

ssize_t WriteBytes(const DeviceStream& s, const char* buffer, size_t size) {
  if (!s.text) return WriteAll(s.descriptor, buffer, size) ? static_cast<ssize_t>(size) : -1;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i == size || buffer[i] == '\n') {
      if (!WriteAll(s.descriptor, buffer + start, i - start)) return -1;
      if (i < size && !WriteAll(s.descriptor, "\r\n", 2)) return -1;
      start = i + 1;
    }
  }
  return static_cast<ssize_t>(size);
}

ssize_t WriteStream(void* cookie, const char* buffer, size_t size) {
  const DeviceStream& s = *static_cast<DeviceStream*>(cookie);
  const ssize_t written = WriteBytes(s, buffer, size);
  // The file was written at the device's time, not the host's.
  if (size > 0) StampWritten(s.descriptor);
  return written;
}

int SeekStream(void* cookie, off64_t* position, int whence) {
  DeviceStream& s = *static_cast<DeviceStream*>(cookie);
  off64_t target = *position;
  if (whence == SEEK_CUR) {
    // From the next byte not yet given out, not from where the read-ahead left the file.
    const off64_t at = lseek64(s.descriptor, 0, SEEK_CUR);
    if (at < 0) return -1;
    target += at - static_cast<off64_t>(s.rawLength - s.rawPosition);
    whence = SEEK_SET;
  }
  const off64_t result = lseek64(s.descriptor, target, whence);
  if (result < 0) return -1;
  s.rawLength = s.rawPosition = 0;
  s.endOfText = false;
  *position = result;
  return 0;
}

int CloseStream(void* cookie) {
  DeviceStream* s = static_cast<DeviceStream*>(cookie);
  OpenStreams().erase(s->stream);
  const int result = close(s->descriptor);
  delete s;
  return result;
}

struct Mode {
  FileOpening opening;
  bool text = true;
  const char* hostMode = "r";
};

// The run-time's mode string: "r", "w" or "a", then in any order at most one "+", one of "t"
// and "b", and the commit flags "c" and "n".
bool ParseMode(const WCHAR* mode, Mode* parsed) {
  if (mode == nullptr) return false;
  bool plus = false;
  bool translation = false;
  bool commit = false;
  const WCHAR first = mode[0];
  if (first != u'r' && first != u'w' && first != u'a') return false;
  for (const WCHAR* c = mode + 1; *c != 0; ++c) {
    switch (*c) {
      case u'+':
        if (plus) return false;
        plus = true;
        break;
      case u't':
      case u'b':
        if (translation) return false;
        translation = true;
        parsed->text = *c == u't';
        break;
      case u'c':
      case u'n':
        if (commit) return false;
        commit = true;
        break;
      default:
        return false;
    }
  }
  FileOpening& o = parsed->opening;
  o.read = first == u'r' || plus;
  o.write = first != u'r' || plus;
  o.append = first == u'a';
  o.disposition = first == u'r'   ? OpenDisposition::Existing
                  : first == u'w' ? OpenDisposition::CreateOrTruncate
                                  : OpenDisposition::CreateOrOpen;
  static const char* const kHostModes[2][3] = {{"r", "w", "a"}, {"r+", "w+", "a+"}};
  parsed->hostMode = kHostModes[plus ? 1 : 0][first == u'r' ? 0 : first == u'w' ? 1 : 2];
  return true;
}

}  // namespace

bool IsTextStream(FILE* stream) {
  auto it = OpenStreams().find(stream);
  return it == OpenStreams().end() || it->second;
}

}  // namespace cesim::detail

using namespace cesim::detail;

FILE* _wfopen(const WCHAR* filename, const WCHAR* mode) {
  Mode parsed;
  if (filename == nullptr || !ParseMode(mode, &parsed)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int descriptor = -1;
  const DWORD error = OpenDeviceFile(filename, parsed.opening, &descriptor);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return nullptr;
  }
  DeviceStream* s = new DeviceStream;
  s->descriptor = descriptor;
  s->text = parsed.text;
  cookie_io_functions_t functions;
  functions.read = &ReadStream;
  functions.write = &WriteStream;
  functions.seek = &SeekStream;
  functions.close = &CloseStream;
  FILE* stream = fopencookie(s, parsed.hostMode, functions);
  if (stream == nullptr) {
    close(descriptor);
    delete s;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  s->stream = stream;
  OpenStreams()[stream] = parsed.text;
  return stream;
}
