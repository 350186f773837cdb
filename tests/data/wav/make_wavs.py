#!/usr/bin/env python3
"""Writes the small WAV files the IR tests read. Run from anywhere; the files
land next to this script. The sample formulas are repeated in the tests, so
change both together."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

PCM = 1
FLOAT = 3
EXTENSIBLE = 0xFFFE
GUID_TAIL = bytes.fromhex("000000001000800000aa00389b71")


def chunk(ident, payload):
    data = ident + struct.pack("<I", len(payload)) + payload
    return data + (b"\0" if len(payload) % 2 else b"")


def fmt(tag, channels, rate, bits, block_align=None, extra=b""):
    align = block_align if block_align is not None else channels * bits // 8
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    return chunk(b"fmt ", body + extra)


def extensible_fmt(sub_tag, channels, rate, bits):
    align = channels * bits // 8
    body = struct.pack("<HHIIHH", EXTENSIBLE, channels, rate, rate * align, align, bits)
    body += struct.pack("<HHI", 22, bits, 0) + struct.pack("<H", sub_tag) + GUID_TAIL
    return chunk(b"fmt ", body)


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def value16(k):
    return (k * 7919) % 65536 - 32768


def int24(v):
    return struct.pack("<i", v)[:3]


def frames(*channels_of_values, pack):
    out = b""
    for frame in zip(*channels_of_values):
        out += b"".join(pack(v) for v in frame)
    return out


def s16(v):
    return struct.pack("<h", v)


def s32(v):
    return struct.pack("<i", v)


def f32(v):
    return struct.pack("<f", v)


info = chunk(b"LIST", b"INFOISFT" + struct.pack("<I", 6) + b"tests\0")

# Supported formats.
write("pcm16_mono_44100.wav",
      riff(fmt(PCM, 1, 44100, 16), chunk(b"data", frames([value16(k) for k in range(1000)], pack=s16)),
           info))
write("pcm8_mono_44100.wav", riff(fmt(PCM, 1, 44100, 8), chunk(b"data", bytes([0, 128, 255, 127, 1]))))
write("pcm24_mono_44100.wav",
      riff(fmt(PCM, 1, 44100, 24),
           chunk(b"data", frames([0, 0x7FFFFF, -0x800000, -1, 0x400000, 1], pack=int24))))
write("pcm24_mono_48000.wav",
      riff(fmt(PCM, 1, 48000, 24), chunk(b"data", frames([k * 1000 for k in range(1000)], pack=int24))))
write("pcm32_mono_44100.wav",
      riff(fmt(PCM, 1, 44100, 32),
           chunk(b"data", frames([0, 2147483647, -2147483648, 1 << 30, -1], pack=s32))))
write("float32_mono_44100.wav",
      riff(fmt(FLOAT, 1, 44100, 32),
           chunk(b"data", frames([0.0, 0.5, -0.25, 1.5, -2.0, 0.001], pack=f32))))
write("pcm16_stereo_22050.wav",
      riff(fmt(PCM, 2, 22050, 16),
           chunk(b"data", frames([k * 1000 for k in range(10)], [-32768] * 10, pack=s16))))
# Chunks before and after the data, an odd-sized one among them, and an
# 18-byte format chunk.
write("pcm16_stereo_48000_chunks.wav",
      riff(chunk(b"JUNK", b"\x01\x02\x03\x04\x05"),
           fmt(PCM, 2, 48000, 16, extra=struct.pack("<H", 0)),
           chunk(b"cue ", b"\x07\x07\x07"),
           chunk(b"data", frames([value16(k) for k in range(500)], [0] * 500, pack=s16)),
           info))
write("pcm32_extensible_stereo_44100.wav",
      riff(extensible_fmt(PCM, 2, 44100, 32),
           chunk(b"data", frames([0, 2147483647, -2147483648, 1 << 30], [0] * 4, pack=s32))))

# Files that must be refused.
write("not_riff.wav", b"This is not a WAV file, only some text.\n")
write("riff_not_wave.wav", b"RIFF" + struct.pack("<I", 12) + b"AVI " + chunk(b"LIST", b"hdrl"))
write("no_data_chunk.wav", riff(fmt(PCM, 1, 44100, 16), info))
write("zero_block_align.wav",
      riff(fmt(PCM, 1, 44100, 16, block_align=0), chunk(b"data", s16(1) * 8)))
write("zero_channels.wav", riff(fmt(PCM, 0, 44100, 16), chunk(b"data", s16(1) * 8)))
write("unsupported_12bit.wav",
      riff(fmt(PCM, 1, 44100, 12, block_align=2), chunk(b"data", s16(1) * 8)))
write("truncated_format.wav", riff(fmt(PCM, 1, 44100, 16))[:26])
write("chunk_size_past_end.wav",
      riff(b"JUNK" + struct.pack("<I", 0xFFFFFF00) + b"\0" * 8, fmt(PCM, 1, 44100, 16)))

# Files that end inside their samples: the whole frames in the file are read,
# or the file is refused when not one is there.
def stream_header(riff_size, fmt_chunk, data_size):
    return (b"RIFF" + struct.pack("<I", riff_size) + b"WAVE" + fmt_chunk + b"data" +
            struct.pack("<I", data_size))


# A recorder that stopped: 1000 frames declared, 78 in the file.
truncated = riff(fmt(PCM, 1, 44100, 16), chunk(b"data", s16(5) * 1000))
write("truncated_data.wav", truncated[:200])
# A stream writer that never filled in the sizes; the last frame is cut short.
write("data_size_ffffffff.wav",
      stream_header(0xFFFFFFFF, fmt(PCM, 2, 44100, 16), 0xFFFFFFFF) +
      frames([value16(k) for k in range(100)], [0] * 100, pack=s16) + s16(1))
# A stream writer that left both sizes at 0.
write("data_size_zero.wav",
      stream_header(0, fmt(PCM, 1, 44100, 24), 0) +
      frames([k * 1000 for k in range(50)], pack=int24))
# Not one whole frame (4 bytes) of the declared 400 bytes is in the file.
write("no_whole_frame.wav", stream_header(0, fmt(PCM, 2, 44100, 16), 400) + b"\x01\x02\x03")
# A header and an empty data chunk: 44 bytes, not one sample.
write("header_only.wav", riff(fmt(PCM, 1, 44100, 16), chunk(b"data", b"")))
# One frame at 96 kHz: less than one sample at 44.1 kHz.
write("one_frame_96000.wav", riff(fmt(PCM, 1, 96000, 16), chunk(b"data", s16(1000))))
# A text file that was given the extension.
write("text_named.wav", b"These are the notes for the cabinet session, not a recording.\n")
