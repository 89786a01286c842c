"""Fixtures of the binding's tests."""

import pytest

import vrk5420


@pytest.fixture
def cvt():
    """A converter holding the default configuration, with English messages on this thread."""
    vrk5420.set_thread_language(vrk5420.ENGLISH)
    converter = vrk5420.Converter()
    converter.CreateNewCfg()
    yield converter
    vrk5420.set_thread_language(0)
