"""The Python conveniences of vrk5420: documentation and types, update brackets, files, bytes-like images, range
records and walking repeated elements."""

import ast
import os
import pathlib
import pydoc
import re
import subprocess

import pytest

import vrk5420
from vrk5420 import _native

SOURCE = pathlib.Path(__file__).resolve().parents[2]
GENERATED = SOURCE / "fuzz" / "corpus" / "xml" / "v7_generated_1.xml"
HYSTERESIS = "Region_settings\\Hysteresis_percent"
CHANNEL = "VibroChannels\\VibroChannel\\"
POINT = CHANNEL + "Linear\\Point\\"


@pytest.fixture
def generated():
    converter = vrk5420.Converter()
    converter.load(GENERATED)
    return converter


# --- documentation and types


def _stub():
    return ast.parse((pathlib.Path(vrk5420.__file__).parent / "_native.pyi").read_text())


def _stub_parameters(function):
    args = function.args
    defaults = [None] * (len(args.args) - len(args.defaults)) + list(args.defaults)
    return [(a.arg, d is not None) for a, d in zip(args.args, defaults)]


def _split_top_level(text):
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        depth += c in "([{"
        depth -= c in ")]}"
        if c == "," and depth == 0:
            parts.append(text[start:i])
            start = i + 1
    return parts + [text[start:]] if text.strip() else parts


def _native_parameters(function):
    """Parameter names and whether each has a default, from pybind11's signature line."""
    signature = function.__doc__.splitlines()[0]
    inside = signature[signature.index("(") + 1:signature.rindex(")")]
    return [(part.split(":")[0].strip(), "=" in part) for part in _split_top_level(inside)]


def _public(cls):
    return {n for n in vars(cls) if not n.startswith("_")}


def test_stub_declares_exactly_what_the_extension_has():
    stub = _stub()
    classes = {node.name: node for node in stub.body if isinstance(node, ast.ClassDef)}
    functions = {node.name: node for node in stub.body if isinstance(node, ast.FunctionDef)}
    native = {n for n in vars(_native) if not n.startswith("_")}
    assert native == set(classes) | set(functions)
    for name, node in functions.items():
        assert _stub_parameters(node) == _native_parameters(getattr(_native, name)), name
    for name in ("Converter", "DataRange"):
        members = {}
        for item in classes[name].body:
            if isinstance(item, ast.FunctionDef):
                members.setdefault(item.name, item)
            elif isinstance(item, ast.AnnAssign):
                members[item.target.id] = None
        cls = getattr(_native, name)
        assert {m for m in members if not m.startswith("_")} == _public(cls), name
        for member, node in members.items():
            attribute = vars(cls)[member]
            if node is not None and not isinstance(attribute, property):
                assert _stub_parameters(node) == _native_parameters(attribute), f"{name}.{member}"


def test_everything_public_is_documented():
    def described(obj):
        doc = obj.__doc__ or ""
        # pybind11 puts the signature first; the description must come after it.
        text = doc.split("\n", 1)[1] if re.match(r"^\w+\(", doc) else doc
        return len(text.strip()) > 10

    for cls in (vrk5420.Converter, _native.Converter, vrk5420.DataRange):
        assert described(cls), cls
        for name in _public(cls):
            assert described(vars(cls)[name]), f"{cls.__name__}.{name}"
    for obj in (vrk5420, vrk5420.ConverterError, vrk5420.set_thread_language, vrk5420.declared_encoding):
        assert described(obj), obj
    page = pydoc.render_doc(vrk5420.Converter, renderer=pydoc.plaintext)
    for text in ("update(self)", "occurrences(self", "Raises:", "windows-1251", "SetValue(self: "):
        assert text in page
    assert (pathlib.Path(vrk5420.__file__).parent / "py.typed").exists()


# --- update brackets


def test_update_commits_the_block_as_one_change(cvt):
    with cvt.update() as same:
        assert same is cvt
        cvt.SetValue(HYSTERESIS, (), "20")
        cvt.SetValue("Region_settings\\DelayUp_ms", (), "700")
    assert cvt.GetValue(HYSTERESIS) == "20"
    assert cvt.GetChanged() == (2, True)
    with pytest.raises(vrk5420.ConverterError, match="No call of BeginUpdate"):
        cvt.EndUpdate()


def test_update_undoes_the_block_when_it_raises(cvt):
    cvt.SetValue(HYSTERESIS, (), "30")
    cvt.SetSavePoint()
    before = cvt.XML
    with pytest.raises(KeyError):
        with cvt.update():
            cvt.SetValue(HYSTERESIS, (), "20")
            cvt.DeleteNode("Modbus\\Tables\\Table\\", (0,))
            raise KeyError("stop")
    assert cvt.XML == before
    assert cvt.GetChanged()[1] is False  # the save point still matches
    with pytest.raises(vrk5420.ConverterError, match="No call of BeginUpdate"):
        cvt.EndUpdate()
    # A refused value inside the block undoes the block's earlier changes as well.
    with pytest.raises(vrk5420.ConverterError, match="Incorrect value range"):
        with cvt.update():
            cvt.SetValue("Region_settings\\DelayUp_ms", (), "700")
            cvt.SetValue(HYSTERESIS, (), "95")
    assert cvt.XML == before


def test_nested_updates_are_one_transaction(cvt):
    before = cvt.XML
    with pytest.raises(ValueError):
        with cvt.update():
            cvt.SetValue(HYSTERESIS, (), "20")
            with cvt.update():
                cvt.SetValue("Region_settings\\DelayUp_ms", (), "700")
            raise ValueError
    assert cvt.XML == before


def test_update_needs_a_configuration():
    with pytest.raises(vrk5420.ConverterError):
        with vrk5420.Converter().update():
            pass


# --- range records and images


def test_data_range_gives_its_dictionary_as_pairs(generated):
    vrk5420.set_thread_language(vrk5420.ENGLISH)
    try:
        window = generated.GetValueRanges(CHANNEL + "param\\sp_window", (0,))
    finally:
        vrk5420.set_thread_language(0)
    assert window.Dictionary == "1|Rectangular\n2|Hanning\n3|Hamming\n"
    assert window.dictionary == [("1", "Rectangular"), ("2", "Hanning"), ("3", "Hamming")]
    assert repr(window).startswith("DataRange(Type=")
    assert "dictionary=[('1', 'Rectangular'), ('2', 'Hanning'), ('3', 'Hamming')]" in repr(window)
    plain = generated.GetValueRanges(HYSTERESIS)
    assert plain.dictionary == []
    assert "MaxVal='90'" in repr(plain)


def test_images_load_from_any_bytes_like_object(cvt):
    image, crc = cvt.GetBIN()
    for data in (bytearray(image), memoryview(image), memoryview(b"x" + image)[1:]):
        loaded = vrk5420.Converter()
        loaded.BIN = data
        assert loaded.GetBIN() == (image, crc)
    loaded = vrk5420.Converter()
    loaded.load_bytes(memoryview(bytearray(image)))
    assert loaded.GetBIN() == (image, crc)
    with pytest.raises(TypeError):
        loaded.BIN = image.decode("latin-1")
    with pytest.raises(BufferError):
        loaded.BIN = memoryview(image)[::2]


# --- files


def test_saved_document_is_in_its_declared_encoding(cvt, tmp_path):
    path = tmp_path / "cfg.xml"
    cvt.save(path)
    data = path.read_bytes()
    assert data.startswith(b'<?xml version="1.0" encoding="windows-1251"?>')
    assert "Конфигурация".encode("cp1251") in data
    assert data == cvt.xml_bytes()
    reloaded = vrk5420.Converter()
    reloaded.load(path)
    assert reloaded.XML == cvt.XML
    vrkcfg = os.environ.get("VRK_VRKCFG")
    if vrkcfg:
        checked = subprocess.run([vrkcfg, "check", str(path)], capture_output=True, text=True, timeout=60)
        assert checked.stdout.strip() == "OK", checked.stderr


def test_images_are_saved_and_loaded_by_content(cvt, tmp_path):
    cvt.SetValue("BlackBox\\decimation_coeff", (), "2")
    cvt.save(tmp_path / "cfg.BIN")
    cvt.save(tmp_path / "image.dat", image=True)
    assert (tmp_path / "cfg.BIN").read_bytes() == (tmp_path / "image.dat").read_bytes() == cvt.BIN
    loaded = vrk5420.Converter()
    loaded.load(tmp_path / "image.dat")
    assert loaded.GetValue("BlackBox\\decimation_coeff") == "2"


def test_documents_in_other_encodings_load(cvt, tmp_path):
    text = cvt.XML.replace('encoding="windows-1251"', "encoding='UTF-8'", 1)
    (tmp_path / "utf8.xml").write_bytes(text.encode("utf-8"))
    (tmp_path / "utf16.xml").write_bytes(text.replace("UTF-8", "UTF-16", 1).encode("utf-16"))
    for name, encoding in (("utf8.xml", "UTF-8"), ("utf16.xml", "UTF-16")):
        loaded = vrk5420.Converter()
        loaded.load(tmp_path / name)
        assert vrk5420.declared_encoding(loaded.XML) == encoding
        assert "Конфигурация" in loaded.XML
        assert loaded.xml_bytes().decode(encoding).lstrip("\ufeff") == loaded.XML
    assert vrk5420.declared_encoding("<root/>") == "UTF-8"
    with pytest.raises(LookupError):
        cvt.load_bytes(b'<?xml version="1.0" encoding="no-such-code"?><VRK_Device/>')


def test_failed_save_leaves_the_file(tmp_path):
    path = tmp_path / "cfg.xml"
    path.write_bytes(b"kept")
    with pytest.raises(vrk5420.ConverterError):
        vrk5420.Converter().save(path)
    assert path.read_bytes() == b"kept"


# --- repeated elements


def test_occurrences_walk_a_repeated_element(cvt, generated):
    assert cvt.count("Modbus\\Tables\\Table\\") == 4
    tables = list(cvt.occurrences("Modbus\\Tables\\Table\\"))
    assert tables == [(0,), (1,), (2,), (3,)]
    assert [cvt.GetValue("Modbus\\Tables\\Table\\type", idx) for idx in tables] == ["1", "2", "3", "4"]
    assert list(cvt.occurrences(CHANNEL)) == []

    channels = list(generated.occurrences(CHANNEL))
    assert channels == [(0,)]
    points = [idx for channel in channels for idx in generated.occurrences(POINT, channel)]
    assert points[0] == (0, 0) and len(points) == 5
    assert [generated.GetValue(POINT + "volt", idx) for idx in points] == ["-2000", "-1000", "0", "1000", "2000"]
    with pytest.raises(vrk5420.ConverterError, match="Invalid path to the node"):
        cvt.occurrences("No\\Such\\")
