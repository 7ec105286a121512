#!/usr/bin/env python3
"""Writes a value change dump of a given size for measuring the dump import.

Usage: make_vcd.py OUT.vcd [MEGABYTES]   (default 100)

The dump has a clock toggling every 5 time units, 31 other 1-bit signals, 16 buses of 8, 16 and 32
bits and one real, all in nested scopes; every signal changes at random clock edges. It is the same
on every machine (fixed seed). The last time written is printed, so that the import can be
windowed at the end of the dump (the import stops reading once its window is full).
"""
import random
import sys

out = sys.argv[1]
limit = int(float(sys.argv[2]) if len(sys.argv) > 2 else 100) * 1024 * 1024
rnd = random.Random(1)

def code(i):
    s = ''
    i += 1
    while i:
        i, r = divmod(i - 1, 94)
        s += chr(33 + r)
    return s

bits = [('clk', 1)] + [('s%d' % i, 1) for i in range(31)] + [('bus%d' % i, (8, 16, 32)[i % 3]) for i in range(16)]
with open(out, 'w') as f:
    f.write('$date generated $end\n$version make_vcd.py $end\n$timescale 1ps $end\n')
    f.write('$scope module top $end\n$scope module core $end\n')
    for i, (name, width) in enumerate(bits):
        if i == 20:
            f.write('$scope module sub $end\n')
        f.write('$var %s %d %s %s $end\n' % ('wire' if width == 1 else 'reg', width, code(i), name))
    f.write('$var real 64 %s temperature $end\n' % code(len(bits)))
    f.write('$upscope $end\n$upscope $end\n$upscope $end\n$enddefinitions $end\n')
    f.write('#0\n$dumpvars\n')
    for i, (name, width) in enumerate(bits):
        f.write(('0%s\n' % code(i)) if width == 1 else ('b0 %s\n' % code(i)))
    f.write('$end\n')
    t, clk, size = 0, 0, 0
    while size < limit:
        t += 5
        clk ^= 1
        chunk = ['#%d\n%d%s\n' % (t, clk, code(0))]
        if clk:
            for i in range(1, len(bits)):
                if rnd.random() < 0.5:
                    name, width = bits[i]
                    if width == 1:
                        chunk.append('%d%s\n' % (rnd.getrandbits(1), code(i)))
                    else:
                        chunk.append('b%s %s\n' % (format(rnd.getrandbits(width), 'b'), code(i)))
            chunk.append('r%.3f %s\n' % (rnd.random() * 100, code(len(bits))))
        text = ''.join(chunk)
        f.write(text)
        size += len(text)
print(t)
