// One wide character at a time from and to a stream, in the stream's translation mode; shared by
// the line and formatting calls and by the scanning engine.
#ifndef CESIM_CRT_WIDE_STREAM_H
#define CESIM_CRT_WIDE_STREAM_H

#include <stdio.h>

namespace cesim::detail {

// The run-time's WEOF, the end of the input (or an error) for the wide calls: 0xFFFF, as wint_t is
// 16 bits on the device.
constexpr int kWideEnd = 0xFFFF;

// The next character, or kWideEnd.
int ReadWide(FILE* stream);
// Gives back the character last read, so that the next read returns it.
void UnreadWide(FILE* stream, int c);
// False when the stream refuses it or the code page has no byte for it.
bool WriteWide(FILE* stream, char16_t c);

}  // namespace cesim::detail

#endif
