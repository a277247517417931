// The placeholder Flash player that keeps the Flash output set complete.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { sourceDir, tempDir } from './lib/harness.mjs';

const shipped = path.join(sourceDir, 'data/program/swf/rovanel.swf');

test('the shipped rovanel.swf is a valid one-frame movie that its script makes', () => {
    const swf = fs.readFileSync(shipped);
    assert.equal(swf.subarray(0, 3).toString('latin1'), 'FWS');
    assert.equal(swf[3], 7, 'version');
    assert.equal(swf.readUInt32LE(4), swf.length, 'length field');
    // The stage RECT: 5 bits of field size, then xmin, xmax, ymin, ymax in twips.
    const bits = [...swf.subarray(8, 20)].map((b) => b.toString(2).padStart(8, '0')).join('');
    const n = parseInt(bits.slice(0, 5), 2);
    const field = (i) => parseInt(bits.slice(5 + i * n, 5 + (i + 1) * n), 2);
    assert.deepEqual([field(0), field(1), field(2), field(3)], [0, 8000, 0, 6000]);
    const after = 8 + Math.ceil((5 + 4 * n) / 8);
    assert.equal(swf.readUInt16LE(after), 12 << 8, 'frame rate 12');
    assert.equal(swf.readUInt16LE(after + 2), 1, 'frame count');
    // ShowFrame (code 1) and End (code 0), both without a body, and nothing after them.
    assert.deepEqual([swf.readUInt16LE(after + 4), swf.readUInt16LE(after + 6)], [1 << 6, 0]);
    assert.equal(swf.length, after + 8);

    const made = path.join(tempDir('tk-swf-'), 'rovanel.swf');
    execFileSync('python3', [path.join(sourceDir, 'tools/make-player-swf.py'), made]);
    assert.deepEqual(fs.readFileSync(made), swf, 'the committed file is what the script writes');
});
