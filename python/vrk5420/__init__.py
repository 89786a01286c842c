"""The VRK-5420 configuration converter.

Converter has the methods and properties of the automation interface under the same names. Texts are str,
images bytes; an index list is a tuple whose entries are positions (int) or (use_attribute, value) pairs.
Every failure raises ConverterError with the component's message in .message (and str()), the result code in
.hresult. Messages follow the calling thread's language: set_thread_language(ENGLISH) or (RUSSIAN).
"""

from ._native import Converter, ConverterError, DataRange, set_thread_language, thread_language

ENGLISH = 1033
RUSSIAN = 1049

__all__ = ["Converter", "ConverterError", "DataRange", "set_thread_language", "thread_language", "ENGLISH",
           "RUSSIAN"]
