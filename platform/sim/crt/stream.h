// The run-time's streams as its wide calls see them: which host streams _wfopen opened, and in
// which translation mode.
#ifndef CESIM_CRT_STREAM_H
#define CESIM_CRT_STREAM_H

#include <stdio.h>

namespace cesim::detail {

// Whether the wide calls read and write the stream as text (bytes of the ANSI code page, with the
// text mode's line ends) or as binary (UTF-16 units). Streams that _wfopen did not open are text,
// the run-time's default.
bool IsTextStream(FILE* stream);

}  // namespace cesim::detail

#endif
