"""The vrk5420 binding: loading, editing, error messages, images and the message language."""

import pytest

import vrk5420

HYSTERESIS = "Region_settings\\Hysteresis_percent"
TABLE_COUNT = "Modbus\\Tables\\Table\\count"


def test_loads_a_configuration_from_xml_and_edits_it(cvt):
    loaded = vrk5420.Converter()
    loaded.XML = cvt.XML
    assert loaded.GetValue("cfg\\DEVICETYPE") == "1"
    assert loaded.GetChanged() == (1, False)
    assert loaded.SetValue(HYSTERESIS, (), " 0090 ") == "90"
    assert loaded.GetValue(HYSTERESIS) == "90"
    assert loaded.GetChanged() == (2, True)
    assert 'Hysteresis_percent="90"' in loaded.XML


def test_index_lists_are_tuples_of_positions_or_key_pairs(cvt):
    assert cvt.GetNodesCount("Modbus\\Tables\\Table\\") == 4
    assert cvt.GetValue(TABLE_COUNT, (3,)) == "37"
    assert cvt.GetValue(TABLE_COUNT, ((True, 4),)) == "37"
    assert cvt.SetValue(TABLE_COUNT, ((False, 3),), "36") == "36"
    assert cvt.GetNodeText("Modbus\\Tables\\Table\\", (3,)) == '<Table type="4" count="36" address="0"/>'
    assert cvt.GetNodeText("Modbus\\Tables\\Table\\", (9,)) is None


def test_invalid_value_raises_with_the_exact_message(cvt):
    before = cvt.XML
    with pytest.raises(vrk5420.ConverterError) as failure:
        cvt.SetValue(HYSTERESIS, (), "95")
    assert failure.value.message == (
        "Incorrect value range (95) \nValue must be\npositive integer\n"
        "greater than or equal 0 and less than or equal 90\n\\VRK_Device\\Region_settings\\Hysteresis_percent")
    assert str(failure.value) == failure.value.message
    assert failure.value.hresult == 0x80004005
    assert cvt.XML == before
    assert cvt.CheckValueRanges(HYSTERESIS, (), "0010") == "10"
    assert cvt.GetValueRanges(HYSTERESIS).MaxVal == "90"


def test_writes_the_image_and_loads_it_back(cvt):
    image, crc = cvt.GetBIN()
    assert isinstance(image, bytes) and len(image) > 0
    assert cvt.BIN == image
    reloaded = vrk5420.Converter()
    reloaded.BIN = image
    assert reloaded.GetBIN() == (image, crc)
    with pytest.raises(vrk5420.ConverterError):
        reloaded.BIN = image[:10]


def test_messages_follow_the_thread_language():
    empty = vrk5420.Converter()
    vrk5420.set_thread_language(vrk5420.RUSSIAN)
    try:
        assert vrk5420.thread_language() == vrk5420.RUSSIAN
        with pytest.raises(vrk5420.ConverterError, match="^Конфигурация не была загружена$"):
            empty.GetValue("Cfg\\DeviceType")
        vrk5420.set_thread_language(vrk5420.ENGLISH)
        with pytest.raises(vrk5420.ConverterError, match="^The configuration has not been loaded$"):
            empty.GetValue("Cfg\\DeviceType")
    finally:
        vrk5420.set_thread_language(0)


def test_modes_and_brackets(cvt):
    cvt.ImperialSystemMeasurement = True
    assert cvt.ImperialSystemMeasurement is True
    cvt.BeginUpdate()
    cvt.SetValue(HYSTERESIS, (), "20")
    cvt.EndUpdate()
    with pytest.raises(vrk5420.ConverterError, match="No call of BeginUpdate occurred before"):
        cvt.EndUpdate()
    cvt.SetSavePoint()
    assert cvt.GetChanged() == (2, False)
