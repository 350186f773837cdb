#!/usr/bin/env python3
"""Writes the bank files ("kvb") the bank import tests read: the device's own
dump messages laid end to end, whole banks and banks cut short. Run from anywhere; the files land
next to this script. The IR dumps carry ../presets/ir_first.dat and
ir_second.dat, IR slot files the program wrote itself. The tests repeat the values below; change both
together."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
HEAD = bytes([0xF0, 0x00, 0x51, 0x21, 0x05])
DEVICE = 0x0A
END = 0xF7

RECORD_NAME = 2
RECORD_PARAMS = 34
IR7_MODE, IR7_BANK, IR7_NUMBER = 40, 53, 54
IR8_MODE, IR8_BANK, IR8_NUMBER = 41, 55, 56


def checksum(data):
    total = sum(data) & 0x3FFF
    return bytes([total >> 7, total & 0x7F])


def record(name, values, ir7=None, ir8=None):
    rec = bytearray(256)
    rec[RECORD_NAME:RECORD_NAME + 32] = name.encode("ascii").ljust(32, b" ")
    for index, value in values.items():
        rec[RECORD_PARAMS + index] = value
    for ir, (mode, bank, number) in ((ir7, (IR7_MODE, IR7_BANK, IR7_NUMBER)),
                                     (ir8, (IR8_MODE, IR8_BANK, IR8_NUMBER))):
        if ir is not None:
            rec[RECORD_PARAMS + mode] = 1
            rec[RECORD_PARAMS + bank] = ir >> 7
            rec[RECORD_PARAMS + number] = ir & 0x7F
    return bytes(rec)


def preset_dump(slot, rec):
    return HEAD + bytes([0x41, DEVICE, slot]) + rec + checksum(rec) + bytes([END])


def pack(data):
    """8-bit bytes into 7-bit stream bytes, most significant bit first, with
    (8 * len + 7) // 7 bytes in all."""
    bits = "".join(format(b, "08b") for b in data)
    bits += "0" * (-len(bits) % 7)
    out = bytes(int(bits[i:i + 7], 2) for i in range(0, len(bits), 7))
    return out.ljust((8 * len(data) + 7) // 7, b"\0")


def ir_dump(number, slot_file, end_checksum=None):
    stream = pack(slot_file)
    first = stream[:256]
    messages = [HEAD + bytes([0x60, DEVICE, number >> 7, number & 0x7F,
                              (len(stream) >> 14) & 0x7F, (len(stream) >> 7) & 0x7F,
                              len(stream) & 0x7F]) + first + bytes([END])]
    at = 256
    while len(stream) - at > 256:
        messages.append(HEAD + bytes([0x65, DEVICE]) + stream[at:at + 256] + bytes([END]))
        at += 256
    tail = end_checksum if end_checksum is not None else checksum(stream)
    messages.append(HEAD + bytes([0x66, DEVICE]) + stream[at:] + tail + bytes([END]))
    return messages


def write(name, messages, between=b""):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(between.join(messages))


with open(os.path.join(HERE, "..", "presets", "ir_first.dat"), "rb") as f:
    FIRST = f.read()
with open(os.path.join(HERE, "..", "presets", "ir_second.dat"), "rb") as f:
    SECOND = f.read()

TWO_PRESETS = [preset_dump(0, record("Bank Zero", {0: 11, 1: 22})),
               preset_dump(1, record("Bank One", {0: 33, 1: 44}))]

# Two presets, no user IR.
write("two_presets.kvb", TWO_PRESETS)
# Preset 2 plays user IR 5; the IR's dump follows the presets. The end
# message's checksum is left at zero: a restore replaces it anyway.
write("preset_with_ir.kvb",
      [preset_dump(2, record("With Ir", {0: 55}, ir7=5))] + ir_dump(5, FIRST, bytes([0, 0])))
# The last message is cut before its F7.
write("last_message_cut.kvb", [TWO_PRESETS[0], TWO_PRESETS[1][:-1]])
# Two bytes between the messages.
write("data_between.kvb", TWO_PRESETS, between=bytes([0x00, 0x41]))

# A whole bank, as a backup of the device writes it: the 128 presets in slot
# order, then the user IRs they play in increasing number. Slots 2 and 40 play
# IR 5 in position 7, slot 9 plays IR 130 (bank 1, number 2) in position 8.
def whole_preset(slot):
    values = {0: slot % 100, 1: 64, 5: (slot * 7) % 128}
    return preset_dump(slot, record("Whole %03d" % slot, values,
                                    ir7=5 if slot in (2, 40) else None,
                                    ir8=130 if slot == 9 else None))


PRESETS = [whole_preset(slot) for slot in range(128)]
IR5 = ir_dump(5, FIRST)
IR130 = ir_dump(130, SECOND)
write("whole_bank.kvb", PRESETS + IR5 + IR130)
# Cut at a message boundary after 20 presets.
write("cut_after_20_presets.kvb", PRESETS[:20])
# Cut inside the 21st preset.
write("cut_inside_preset_21.kvb", PRESETS[:20] + [PRESETS[20][:100]])
# The presets whole, IR 130 left out, or cut after its sixth message.
write("ir_130_missing.kvb", PRESETS + IR5)
write("ir_130_cut.kvb", PRESETS + IR5 + IR130[:6])
