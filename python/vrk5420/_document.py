"""Configuration files as bytes: telling a document from an image, and a document's declared encoding."""

from __future__ import annotations

import codecs
import re
from typing import Union

# A binary image starts with its "CONF" tag; anything else is taken for an XML document.
IMAGE_SIGNATURE = b"CONF"

_DECLARED_ENCODING = re.compile(r"""\A<\?xml\s[^?>]*?\bencoding\s*=\s*["']([A-Za-z][A-Za-z0-9._-]*)["']""")
_BYTE_ORDER_MARKS = ((codecs.BOM_UTF8, "UTF-8"), (codecs.BOM_UTF16_LE, "UTF-16"), (codecs.BOM_UTF16_BE, "UTF-16"))

BytesLike = Union[bytes, bytearray, memoryview]


def is_image(data: BytesLike) -> bool:
    """Whether data holds a binary image rather than an XML document."""
    return bytes(data[:len(IMAGE_SIGNATURE)]) == IMAGE_SIGNATURE


def declared_encoding(document: str | BytesLike) -> str:
    """The encoding that the XML declaration at the start of a document names.

    Args:
        document: the document as text (as Converter.XML gives it) or as the bytes of a file.

    Returns:
        The name from the declaration, such as "windows-1251"; for bytes that start with a byte order mark,
        "UTF-8" or "UTF-16"; "UTF-8", the default of XML, when there is no declaration or it names none.
    """
    if not isinstance(document, str):
        head = bytes(document[:200])
        for mark, name in _BYTE_ORDER_MARKS:
            if head.startswith(mark):
                return name
        document = head.decode("latin-1")
    found = _DECLARED_ENCODING.match(document.lstrip("\ufeff"))
    return found.group(1) if found else "UTF-8"


def decode_document(data: BytesLike) -> str:
    """The text of a document's bytes, decoded with the encoding its declaration names.

    Raises:
        LookupError: the declared encoding is unknown.
        UnicodeDecodeError: the bytes are not text in that encoding.
    """
    data = bytes(data)
    encoding = declared_encoding(data)
    if encoding == "UTF-16":
        return data.decode("utf-16")
    return data.decode("utf-8-sig" if data.startswith(codecs.BOM_UTF8) else encoding)


def encode_document(text: str) -> bytes:
    """A document's text as bytes in the encoding its declaration names, ready to be written to a file.

    Raises:
        LookupError: the declared encoding is unknown.
        UnicodeEncodeError: the text holds a character that the encoding cannot represent.
    """
    return text.encode(declared_encoding(text))
