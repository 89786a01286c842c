/* iconv over the system's code page tables. Every conversion decodes one character of the source into a code
   point and encodes it into the target, so any supported pair works and nothing is approximated: a character that
   the target lacks stops the conversion with EILSEQ, as the C library's iconv does without "//TRANSLIT". */
#include "iconv.h"

#include <windows.h>

#include <ctype.h>
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

enum kind { UTF8, UTF16, UTF16LE, UTF16BE, UTF32LE, UTF32BE, SINGLE_BYTE };

struct byte_of {
  uint16_t unicode;
  uint8_t byte;
};

struct encoding {
  enum kind kind;
  int big_endian;                /* UTF16 only: the order found in (or written with) the byte order mark */
  int mark_done;                 /* UTF16 only: the byte order mark has been read or written */
  uint32_t to_unicode[256];      /* SINGLE_BYTE: code point of each byte, or 0xFFFFFFFF when undefined */
  struct byte_of from_unicode[256]; /* SINGLE_BYTE: the defined bytes sorted by code point */
  int defined;
};

struct converter {
  struct encoding from;
  struct encoding to;
};

static int same_name(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b)
    if (tolower((unsigned char)*a) != tolower((unsigned char)*b)) return 0;
  return *a == *b;
}

static int starts_with(const char* text, const char* prefix, const char** rest) {
  size_t n = strlen(prefix);
  size_t i;
  for (i = 0; i < n; ++i)
    if (text[i] == '\0' || tolower((unsigned char)text[i]) != tolower((unsigned char)prefix[i])) return 0;
  *rest = text + n;
  return 1;
}

static UINT number_after(const char* rest) {
  char* end;
  unsigned long n;
  if (*rest < '0' || *rest > '9') return 0;
  n = strtoul(rest, &end, 10);
  return *end == '\0' && n < 65536 ? (UINT)n : 0;
}

/* The code page a single-byte encoding name stands for, or 0. */
static UINT code_page_of(const char* name) {
  const char* rest;
  if (same_name(name, "latin1") || same_name(name, "l1")) return 28591;
  if (same_name(name, "US-ASCII") || same_name(name, "ASCII") || same_name(name, "ANSI_X3.4-1968")) return 20127;
  if (same_name(name, "KOI8-R")) return 20866;
  if (same_name(name, "KOI8-U")) return 21866;
  if (same_name(name, "MACCYRILLIC") || same_name(name, "x-mac-cyrillic")) return 10007;
  if (starts_with(name, "windows-", &rest) || starts_with(name, "cp", &rest) || starts_with(name, "IBM", &rest))
    return number_after(rest);
  if (starts_with(name, "ISO-8859-", &rest) || starts_with(name, "ISO8859-", &rest) ||
      starts_with(name, "ISO_8859-", &rest)) {
    UINT part = number_after(rest);
    return part >= 1 && part <= 16 ? 28590 + part : 0;
  }
  return 0;
}

static int by_unicode(const void* a, const void* b) {
  const struct byte_of* x = (const struct byte_of*)a;
  const struct byte_of* y = (const struct byte_of*)b;
  return (int)x->unicode - (int)y->unicode;
}

static int load_single_byte(struct encoding* e, UINT code_page) {
  CPINFO info;
  int b;
  if (!GetCPInfo(code_page, &info) || info.MaxCharSize != 1) return 0;
  e->kind = SINGLE_BYTE;
  e->defined = 0;
  for (b = 0; b < 256; ++b) {
    char byte = (char)b;
    WCHAR wide;
    e->to_unicode[b] = 0xFFFFFFFFu;
    if (MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1) continue;
    e->to_unicode[b] = wide;
    e->from_unicode[e->defined].unicode = wide;
    e->from_unicode[e->defined].byte = (uint8_t)b;
    ++e->defined;
  }
  qsort(e->from_unicode, (size_t)e->defined, sizeof e->from_unicode[0], by_unicode);
  return 1;
}

static int load(struct encoding* e, const char* full_name) {
  char name[64];
  size_t n = strcspn(full_name, "/");
  if (n >= sizeof name) return 0;
  memcpy(name, full_name, n);
  name[n] = '\0';
  e->big_endian = 0;
  e->mark_done = 0;
  if (same_name(name, "UTF-8") || same_name(name, "UTF8")) e->kind = UTF8;
  else if (same_name(name, "UTF-16") || same_name(name, "UCS-2") || same_name(name, "UTF16")) e->kind = UTF16;
  else if (same_name(name, "UTF-16LE") || same_name(name, "UCS-2LE")) e->kind = UTF16LE;
  else if (same_name(name, "UTF-16BE") || same_name(name, "UCS-2BE")) e->kind = UTF16BE;
  else if (same_name(name, "UTF-32LE") || same_name(name, "UCS-4LE")) e->kind = UTF32LE;
  else if (same_name(name, "UTF-32BE") || same_name(name, "UCS-4BE")) e->kind = UTF32BE;
  else {
    UINT code_page = code_page_of(name);
    return code_page != 0 && load_single_byte(e, code_page);
  }
  return 1;
}

/* Results of reading or writing one character. */
enum { DONE = 0, BAD = -1, SHORT_INPUT = -2, FULL = -3 };

static unsigned u16_at(const unsigned char* p, int big_endian) {
  return big_endian ? (unsigned)(p[0] << 8 | p[1]) : (unsigned)(p[1] << 8 | p[0]);
}

static int read_utf16(const unsigned char* in, size_t left, int big_endian, uint32_t* cp, size_t* used) {
  unsigned first, second;
  if (left < 2) return SHORT_INPUT;
  first = u16_at(in, big_endian);
  if (first < 0xD800 || first > 0xDFFF) {
    *cp = first;
    *used = 2;
    return DONE;
  }
  if (first > 0xDBFF) return BAD;
  if (left < 4) return SHORT_INPUT;
  second = u16_at(in + 2, big_endian);
  if (second < 0xDC00 || second > 0xDFFF) return BAD;
  *cp = 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
  *used = 4;
  return DONE;
}

static int read_utf8(const unsigned char* in, size_t left, uint32_t* cp, size_t* used) {
  unsigned char lead = in[0];
  size_t n, i;
  uint32_t value;
  if (lead < 0x80) {
    *cp = lead;
    *used = 1;
    return DONE;
  }
  if (lead >= 0xC2 && lead <= 0xDF) n = 2, value = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) n = 3, value = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) n = 4, value = lead & 0x07;
  else return BAD;
  for (i = 1; i < n; ++i) {
    if (i >= left) return SHORT_INPUT;
    if ((in[i] & 0xC0) != 0x80) return BAD;
    value = value << 6 | (in[i] & 0x3F);
  }
  if ((n == 3 && value < 0x800) || (n == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
      (value >= 0xD800 && value <= 0xDFFF))
    return BAD;
  *cp = value;
  *used = n;
  return DONE;
}

static int read_char(struct encoding* e, const unsigned char* in, size_t left, uint32_t* cp, size_t* used) {
  switch (e->kind) {
    case UTF8:
      return read_utf8(in, left, cp, used);
    case UTF16:
      if (!e->mark_done) {
        if (left < 2) return SHORT_INPUT;
        e->mark_done = 1;
        if ((in[0] == 0xFF && in[1] == 0xFE) || (in[0] == 0xFE && in[1] == 0xFF)) {
          e->big_endian = in[0] == 0xFE;
          *cp = 0xFEFF;  /* reported as consumed without a character: see convert() */
          *used = 2;
          return 1;
        }
      }
      return read_utf16(in, left, e->big_endian, cp, used);
    case UTF16LE:
      return read_utf16(in, left, 0, cp, used);
    case UTF16BE:
      return read_utf16(in, left, 1, cp, used);
    case UTF32LE:
    case UTF32BE:
      if (left < 4) return SHORT_INPUT;
      *cp = e->kind == UTF32LE ? (uint32_t)in[3] << 24 | (uint32_t)in[2] << 16 | (uint32_t)in[1] << 8 | in[0]
                               : (uint32_t)in[0] << 24 | (uint32_t)in[1] << 16 | (uint32_t)in[2] << 8 | in[3];
      *used = 4;
      return *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF) ? BAD : DONE;
    case SINGLE_BYTE:
      *cp = e->to_unicode[in[0]];
      *used = 1;
      return *cp == 0xFFFFFFFFu ? BAD : DONE;
  }
  return BAD;
}

static void put_u16(unsigned char* out, unsigned value, int big_endian) {
  out[big_endian ? 0 : 1] = (unsigned char)(value >> 8);
  out[big_endian ? 1 : 0] = (unsigned char)(value & 0xFF);
}

static int write_utf16(uint32_t cp, unsigned char* out, size_t left, int big_endian, size_t* written) {
  if (cp < 0x10000) {
    if (left < 2) return FULL;
    put_u16(out, cp, big_endian);
    *written = 2;
    return DONE;
  }
  if (left < 4) return FULL;
  put_u16(out, 0xD800 + ((cp - 0x10000) >> 10), big_endian);
  put_u16(out + 2, 0xDC00 + ((cp - 0x10000) & 0x3FF), big_endian);
  *written = 4;
  return DONE;
}

static int write_char(struct encoding* e, uint32_t cp, unsigned char* out, size_t left, size_t* written) {
  switch (e->kind) {
    case UTF8: {
      size_t n = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
      size_t i;
      if (left < n) return FULL;
      if (n == 1) {
        out[0] = (unsigned char)cp;
      } else {
        for (i = n - 1; i > 0; --i, cp >>= 6) out[i] = (unsigned char)(0x80 | (cp & 0x3F));
        out[0] = (unsigned char)((0xF00u >> n) | cp);
      }
      *written = n;
      return DONE;
    }
    case UTF16: {
      size_t mark = e->mark_done ? 0 : 2;
      int rc;
      if (left < mark) return FULL;
      rc = write_utf16(cp, out + mark, left - mark, 0, written);
      if (rc != DONE) return rc;
      if (mark != 0) put_u16(out, 0xFEFF, 0);
      e->mark_done = 1;
      *written += mark;
      return DONE;
    }
    case UTF16LE:
      return write_utf16(cp, out, left, 0, written);
    case UTF16BE:
      return write_utf16(cp, out, left, 1, written);
    case UTF32LE:
    case UTF32BE: {
      int i;
      if (left < 4) return FULL;
      for (i = 0; i < 4; ++i) out[e->kind == UTF32LE ? i : 3 - i] = (unsigned char)(cp >> (8 * i));
      *written = 4;
      return DONE;
    }
    case SINGLE_BYTE: {
      struct byte_of key, *found;
      if (cp > 0xFFFF) return BAD;
      key.unicode = (uint16_t)cp;
      found = (struct byte_of*)bsearch(&key, e->from_unicode, (size_t)e->defined, sizeof key, by_unicode);
      if (found == NULL) return BAD;
      if (left < 1) return FULL;
      out[0] = found->byte;
      *written = 1;
      return DONE;
    }
  }
  return BAD;
}

iconv_t iconv_open(const char* to, const char* from) {
  struct converter* c = (struct converter*)calloc(1, sizeof *c);
  if (c == NULL) {
    errno = ENOMEM;
    return (iconv_t)-1;
  }
  if (!load(&c->from, from) || !load(&c->to, to)) {
    free(c);
    errno = EINVAL;
    return (iconv_t)-1;
  }
  return c;
}

size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left) {
  struct converter* c = (struct converter*)cd;
  if (in == NULL || *in == NULL) {
    c->from.mark_done = 0;
    c->to.mark_done = 0;
    return 0;
  }
  while (*in_left > 0) {
    uint32_t cp;
    size_t used = 0, written = 0;
    int rc = read_char(&c->from, (const unsigned char*)*in, *in_left, &cp, &used);
    if (rc == 1) { /* a byte order mark: consumed, nothing written */
      *in += used;
      *in_left -= used;
      continue;
    }
    if (rc != DONE) {
      errno = rc == SHORT_INPUT ? EINVAL : EILSEQ;
      return (size_t)-1;
    }
    rc = write_char(&c->to, cp, (unsigned char*)*out, *out_left, &written);
    if (rc != DONE) {
      errno = rc == FULL ? E2BIG : EILSEQ;
      return (size_t)-1;
    }
    *in += used;
    *in_left -= used;
    *out += written;
    *out_left -= written;
  }
  return 0;
}

int iconv_close(iconv_t cd) {
  free(cd);
  return 0;
}
