#!/usr/bin/env python3
"""Writes the small preset files ("kvp") the preset import and export tests
read. Run from anywhere; the files land next to this script.

ir_first.dat and ir_second.dat are IR slot files written once by
`vornixctl ir-convert` from tests/data/wav (pcm16_mono_44100.wav named
"First Cab", pcm24_mono_48000.wav named "Second Cab"), so they are exactly
what the program itself caches. The tests repeat the values below; change
both together."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

HEADER = 262
PARAMS = 38
IR7_NAME = 198
IR8_NAME = 230
IR7_MODE, IR8_MODE = 40, 41
IR7_BANK, IR7_NUMBER, IR8_BANK, IR8_NUMBER = 53, 54, 55, 56


def read(name):
    with open(os.path.join(HERE, name), "rb") as f:
        return f.read()


def padded(text):
    return text.encode("ascii")[:32].ljust(32, b" ")


def preset(name, params, ir7_name="", ir8_name="", blocks=(), magic=b"VNXP", version=(1, 0)):
    out = bytearray(HEADER)
    out[0:4] = magic
    out[4], out[5] = version
    out[6:38] = padded(name)
    for index, value in params.items():
        out[PARAMS + index] = value & 0xFF
    out[IR7_NAME:IR7_NAME + 32] = padded(ir7_name if params.get(IR7_MODE, 0) else "")
    out[IR8_NAME:IR8_NAME + 32] = padded(ir8_name if params.get(IR8_MODE, 0) else "")
    for block in blocks:
        assert len(block) == 2436
        out += block
    return bytes(out)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


FIRST = read("ir_first.dat")
SECOND = read("ir_second.dat")
# The reverb extension factor (19) ranges from 2 to 5: an export never writes 0.
TONE = {0: 70, 1: 33, 14: 112, 19: 2, 42: 90, 43: 20}

# No user IR: the header alone.
write("plain.kvp", preset("Plain Tone", TONE))
# Position 7 plays user IR 9 of the first bank; its block follows the header.
write("ir7_only.kvp", preset("Seven Only", {**TONE, IR7_MODE: 1, IR7_BANK: 0, IR7_NUMBER: 9},
                             ir7_name="First Cab", blocks=[FIRST]))
# Both positions play user IRs (9 and 128 + 9): two blocks, 7 first.
BOTH = {**TONE, IR7_MODE: 1, IR7_BANK: 0, IR7_NUMBER: 9, IR8_MODE: 1, IR8_BANK: 1, IR8_NUMBER: 9}
write("both_irs.kvp", preset("Both Irs", BOTH, "First Cab", "Second Cab", [FIRST, SECOND]))
# Position 7 refers to the factory bank (bank 2, number 3), so the single
# block is the one of position 8 (user IR 128 + 20).
write("ir8_with_factory7.kvp",
      preset("Eight Only", {**TONE, IR7_MODE: 1, IR7_BANK: 2, IR7_NUMBER: 3,
                            IR8_MODE: 1, IR8_BANK: 1, IR8_NUMBER: 20},
             "Factory Three", "Second Cab", [SECOND]))
# The sibling product's magic, otherwise the same layout.
write("sibling.kvp", preset("Sibling Tone", {**TONE, IR7_MODE: 1, IR7_BANK: 0, IR7_NUMBER: 9},
                            ir7_name="First Cab", blocks=[FIRST], magic=b"KVRP"))
# Versions: 0.9 is read, 1.1 and 2.0 are newer than this editor.
for major, minor in ((0, 9), (1, 1), (2, 0)):
    write("version_%d_%d.kvp" % (major, minor),
          preset("Version %d.%d" % (major, minor), TONE, version=(major, minor)))
# One byte short of a header.
write("short.kvp", preset("Short", TONE)[:HEADER - 1])
# Another program's file of the right length.
write("other_magic.kvp", preset("Other", TONE, magic=b"RIFF"))
# Voicings as the device's amplifier model 8 and its hall ambience leave them,
# with Gain, Crunch, Drive and Preset Level turned away from the model's own
# (they vary within a model); and one whose filters match no model, with
# Buzz at 63.
MODEL_8_HALL = {**TONE, 1: 50, 2: 27, 3: 77, 4: 30, 44: 64, 45: 80, 46: 0, 11: 39, 5: 90, 64: 20,
                16: 12, 18: 8, 19: 2, 20: 64, 21: 127, 22: 64, 23: 64, 24: 20, 58: 4, 59: 127}
write("model_8_hall.kvp", preset("Model Eight Hall", MODEL_8_HALL))
write("unmatched_buzz_63.kvp", preset("Buzz Sixty Three", {**MODEL_8_HALL, 2: 63, 45: 81, 24: 21}))

# Damaged files, refused before anything is applied.
# Cut inside its second IR block, as a copy that stopped would leave it.
write("cut_in_block.kvp", preset("Both Irs", BOTH, "First Cab", "Second Cab", [FIRST, SECOND])[:4000])
# A good magic and version, then noise: bytes above 127, IR modes on, no IRs.
noise = random.Random(19)
write("noise_after_header.kvp",
      b"VNXP" + bytes([1, 0]) + bytes(noise.randrange(256) for _ in range(HEADER - 6)))
write("empty.kvp", b"")
# Every value in range, but the name written by a program that stores Latin-1.
latin = bytearray(preset("Caf", TONE))
latin[6 + 3] = 0xE9
write("latin1_name.kvp", bytes(latin))
# The reverb extension factor at 0, below its range.
write("extension_zero.kvp", preset("Extension Zero", {**TONE, 19: 0}))
