"""The converter with the Python conveniences over the interface's methods: update brackets as a context manager,
configuration files, and walking the occurrences of a repeated element."""

from __future__ import annotations

import contextlib
import os
from typing import Iterator, Optional, Sequence, Tuple, Union

from . import _document
from ._native import Converter as _NativeConverter
from ._native import ConverterError

Index = Union[int, Tuple[bool, int]]
IndexList = Tuple[Index, ...]
PathLike = Union[str, "os.PathLike[str]"]

# No element can have this name, so an edit of it always fails, and changes nothing itself.
_NO_SUCH_ELEMENT = "<>\\"


class Converter(_NativeConverter):
    """The converter object: one VRK-5420 configuration, its checks and conversions.

    Methods and properties carry the names of the automation interface (GetValue, SetValue, XML, BIN ...).
    Values are addressed by a path from the root ('Region_settings\\\\Hysteresis_percent'; an element's path ends
    in a backslash) and an index list with one entry per repeated element on the path: a position (int, from 0)
    or a (use_key, value) pair that selects the occurrence whose key attribute has that value.

    A new converter holds no configuration: load one with CreateNewCfg(), load(), XML or BIN. Every failing call
    raises ConverterError with the component's message in the calling thread's language.
    """

    @contextlib.contextmanager
    def update(self) -> Iterator[Converter]:
        """An update bracket as a context manager: BeginUpdate on entry, EndUpdate on exit.

        Checks across values wait until the end of the outermost bracket, so that related values can be changed
        one after the other. When the block raises, every change made since the outermost BeginUpdate is undone
        by the component's own journal (as a failed edit inside a bracket does), the bracket is closed and the
        exception propagates; nested brackets are one transaction with the outermost. A configuration that was
        unchanged since its save point on entry is marked unchanged again; the change counter counts the
        bracket, as it does any bracket with edits.

        Raises:
            ConverterError: no configuration is loaded, or a deferred check fails at the end of the outermost
                bracket (the changes of the bracket are then undone).
        """
        unchanged = not self.GetChanged()[1]
        self.BeginUpdate()
        try:
            yield self
        except BaseException:
            self._undo_bracket()
            self.EndUpdate()
            if unchanged:
                self.SetSavePoint()
            raise
        self.EndUpdate()

    def _undo_bracket(self) -> None:
        # A failed edit inside a bracket makes the component undo every change since the outermost BeginUpdate;
        # an edit of an element that cannot exist is such a failure, with no change of its own.
        try:
            self.DeleteNode(_NO_SUCH_ELEMENT)
        except ConverterError:
            return
        raise RuntimeError("the changes of the update bracket could not be undone")

    def load(self, path: PathLike) -> None:
        """Loads a configuration file: an XML document of any version or a binary image, told apart by content.

        A document is decoded with the encoding its XML declaration names. The held configuration is replaced;
        when the load fails there is none.

        Raises:
            OSError: the file cannot be read.
            ConverterError: the file holds no configuration the component accepts.
            LookupError, UnicodeDecodeError: the document's declared encoding is unknown or does not fit its bytes.
        """
        with open(path, "rb") as file:
            self.load_bytes(file.read())

    def load_bytes(self, data: _document.BytesLike) -> None:
        """Loads a configuration from the bytes of a file (bytes, bytearray or memoryview), as load() does."""
        if _document.is_image(data):
            self.BIN = data
        else:
            self.XML = _document.decode_document(data)

    def save(self, path: PathLike, *, image: Optional[bool] = None) -> None:
        """Writes the configuration to a file: the XML document, or the binary image.

        Args:
            path: the file to write.
            image: True for the binary image, False for the document; None (the default) writes the image when
                the file name ends in ".bin" and the document otherwise.

        The document is written in the encoding its declaration names (windows-1251 for configurations made
        by CreateNewCfg). The file is opened only once the bytes are made, so a failed conversion leaves an
        existing file as it was.

        Raises:
            ConverterError: no configuration is loaded, or it cannot be converted.
            OSError: the file cannot be written.
        """
        if image is None:
            image = os.fspath(path).lower().endswith(".bin")
        data = self.BIN if image else self.xml_bytes()
        with open(path, "wb") as file:
            file.write(data)

    def xml_bytes(self) -> bytes:
        """The XML document as bytes in the encoding that its declaration names, as a file holds it.

        Raises:
            ConverterError: no configuration is loaded.
            UnicodeEncodeError: a value holds a character that the declared encoding cannot represent.
        """
        return _document.encode_document(self.XML)

    def count(self, path: str, indexes: Sequence[Index] = ()) -> int:
        """The number of occurrences of an element: GetNodesCount under a shorter name.

        Args:
            path: path of the element, ending in a backslash ('VibroChannels\\\\VibroChannel\\\\').
            indexes: entries that select the occurrence of each repeated element above it.
        """
        return self.GetNodesCount(path, tuple(indexes))

    def occurrences(self, path: str, indexes: Sequence[Index] = ()) -> Iterator[IndexList]:
        """The index lists of a repeated element's occurrences, first to last.

        Each is `indexes` followed by the occurrence's position, ready to pass to GetValue and the others:

            for idx in cfg.occurrences("VibroChannels\\\\VibroChannel\\\\"):
                print(cfg.GetValue("VibroChannels\\\\VibroChannel\\\\number", idx))

        The occurrences are counted when this is called; deleting or creating occurrences of the element while
        iterating leaves positions that no longer match.

        Raises:
            ConverterError: no configuration is loaded, or the path names no element.
        """
        base = tuple(indexes)
        return iter([base + (position,) for position in range(self.GetNodesCount(path, base))])
