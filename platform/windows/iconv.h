/* The iconv interface on Windows, which has none: conversion between UTF-8, UTF-16 (LE, BE, or with a byte order
   mark), UTF-32LE and every single-byte code page of the system (windows-1251, ISO-8859-n, KOI8-R, ...), named as
   the C library names them. The XML engine and the DOM layer use it for the documents' declared encodings.
   Multi-byte code pages other than UTF-8 are refused at iconv_open (errno EINVAL). */
#ifndef VRK_PLATFORM_WINDOWS_ICONV_H
#define VRK_PLATFORM_WINDOWS_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* iconv_t;

/* A converter from `from` to `to` (names compared without regard to case, "//..." suffixes ignored), or
   (iconv_t)-1 with errno EINVAL when either is unknown. */
iconv_t iconv_open(const char* to, const char* from);

/* Converts as much of the input as fits: (size_t)-1 with errno E2BIG when the output is full, EILSEQ at a byte
   sequence that is invalid or a character that the target cannot hold, EINVAL at an incomplete sequence at the
   end of the input; the pointers and counts then stand at the offending place. Null input resets the state. */
size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left);

int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif
