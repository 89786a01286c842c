"""The VRK-5420 configuration converter.

Converter holds one instrument configuration, checks every value against the built-in schema and converts between
the XML document and the device's binary image:

    import vrk5420
    cfg = vrk5420.Converter()
    cfg.load("plant.xml")                                  # a document or an image, told apart by content
    with cfg.update():                                     # undone as a whole when the block raises
        cfg.SetValue("Region_settings\\\\Hysteresis_percent", (), "10")
    for idx in cfg.occurrences("VibroChannels\\\\VibroChannel\\\\"):
        print(cfg.GetValue("VibroChannels\\\\VibroChannel\\\\number", idx))
    cfg.save("plant.bin")                                  # the binary image; "plant.xml" the document

Methods and properties carry the names of the automation interface. Texts are str, images bytes (any bytes-like
object is accepted); an index list is a tuple whose entries are positions (int) or (use_key, value) pairs. Every
failure raises ConverterError with the component's message in .message (and str()) and the result code in
.hresult. Messages follow the calling thread's language: set_thread_language(ENGLISH) or (RUSSIAN).
"""

from ._converter import Converter, Index, IndexList
from ._document import declared_encoding
from ._native import ConverterError, DataRange, __version__, set_thread_language, thread_language

ENGLISH = 1033
RUSSIAN = 1049

__all__ = ["Converter", "ConverterError", "DataRange", "Index", "IndexList", "declared_encoding",
           "set_thread_language", "thread_language", "ENGLISH", "RUSSIAN", "__version__"]
