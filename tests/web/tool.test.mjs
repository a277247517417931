// The player against the tool itself (tickerine-cli): the output set that the tool writes
// plays, and what the user designs is what visitors get: a still frame of the player against
// the Designer canvas's painting of the same ticker.
//
// Tolerance. The two paint text with different rasterisers (Qt's and the browser's), so
// glyph edges never match pixel for pixel. The comparison therefore has three parts:
//  - outside the text lines (backgrounds, gradients, borders, dots) at most 0.2 % of the
//    pixels (about a hundred) may differ by more than 48 in a colour channel: they must
//    match, and one misplaced border line is already three times that;
//  - each text line must start and end on the same rows and begin at the same column within
//    1 pixel (rounding of line heights), and its width may differ by at most 8 % (a wrong
//    face, size or weight changes the width by far more);
//  - the strongest ink colour of each line must be within 48 per channel of the other's.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { embedPage, fixture, launchBrowser, outputSet, settingsText, startPhp, tempDir } from './lib/harness.mjs';

const cli = process.env.TK_CLI;
const skip = cli ? false : 'TK_CLI names no tickerine-cli (run through CTest)';
let browser;
const servers = [];

before(async () => { if (!skip) browser = await launchBrowser(); });
after(async () => {
    await Promise.all(servers.map((s) => s.stop()));
    await browser?.close();
});

// The sample lines that the Designer shows, as one My News entry dated today.
function sampleNews() {
    const today = new Date().toLocaleDateString('en-GB', { day: '2-digit', month: 'short', year: 'numeric' });
    return '<?xml version="1.0"?>\r\n<rss version="2.0">\r\n<channel>\r\n<item>\r\n<title>Headline Text</title>\r\n'
        + `<author>Author Text</author>\r\n<pubDate>${today}  </pubDate>\r\n`
        + '<description>This is what the text looks like.</description>\r\n</item>\r\n</channel>\r\n</rss>\r\n';
}

const images = { 'tile.png': fixture('tile.png') };
const common = { newsurl1: 'my.txt', newsurl2: '', scrollpause: '300', textfontname: 'Arial' };
const tickers = [
    ['solid box with a dotted border', {}],
    ['gradients, raised frame and a solid border', {
        bkgdt: 'true', bkgdtclr1: '0xFFFF00', bkgdtclr2: '0x008000', bkdrawborder: 'true',
        bkborderlightcolor: '0xFF0000', bkborderdarkcolor: '0x0000FF',
        entrydrawbk: 'false', entrybkgdt: 'true', entrybkgdtclr1: '0xFFFFFF', entrybkgdtclr2: '0xA0C0FF',
        entrybdrdashed: 'false', entrybdrclr: '0x400040',
    }],
    ['tiled background image', { entrydrawbk: 'false', entrybkimage: 'tile.png' }],
    ['scrolling left and right', { newshorz: 'true' }],
];

async function playerFrame(settings) {
    const dir = outputSet({ settings, files: { 'my.txt': sampleNews(), 'my.html': embedPage('my', 300, 200), ...images } });
    const php = await startPhp(dir);
    servers.push(php);
    const page = await browser.newPage();
    await page.goto(`${php.url}my.html`);
    await page.waitForFunction(() => document.querySelector('.velmora-rovanel').dataset.state === 'running');
    await page.evaluate(() => document.fonts.ready);
    // The tiled image is drawn when it has loaded.
    await page.waitForTimeout(200);
    const png = await page.locator('.velmora-rovanel').screenshot();
    await page.close();
    return png;
}

function designerFrame(settings) {
    const dir = tempDir('tk-render-');
    fs.writeFileSync(path.join(dir, 'my.xml'), settings);
    fs.writeFileSync(path.join(dir, 'my.txt'), sampleNews());
    for (const [name, bytes] of Object.entries(images)) fs.writeFileSync(path.join(dir, name), bytes);
    const target = path.join(dir, 'designer.png');
    execFileSync(cli, ['render', '--open', path.join(dir, 'my.xml'), target], { stdio: 'ignore' });
    return fs.readFileSync(target);
}

// Decodes both PNGs in the browser and measures them there.
async function analyse(designer, player) {
    const page = await browser.newPage();
    const result = await page.evaluate(async ([a, b]) => {
        async function pixels(base64) {
            const image = new Image();
            image.src = `data:image/png;base64,${base64}`;
            await image.decode();
            const canvas = new OffscreenCanvas(image.width, image.height);
            const ctx = canvas.getContext('2d');
            ctx.drawImage(image, 0, 0);
            return ctx.getImageData(0, 0, image.width, image.height);
        }
        const [da, db] = [await pixels(a), await pixels(b)];
        const w = da.width;
        const h = da.height;
        const at = (d, x, y) => { const i = (y * w + x) * 4; return [d.data[i], d.data[i + 1], d.data[i + 2]]; };
        const diff = (p, q) => Math.max(...p.map((v, i) => Math.abs(v - q[i])));
        // Ink: the edges of glyphs, where a pixel is unlike its left or upper neighbour (the
        // gradients change far more slowly); its colour is the ink pixel least like the box
        // background left of the text (x = 5).
        function lines(d) {
            const found = [];
            let current = null;
            for (let y = 3; y < h - 3; y++) {
                const bg = at(d, 5, y);
                let left = -1;
                let right = -1;
                let strongest = null;
                let strength = 0;
                for (let x = 8; x < w - 3; x++) {
                    const p = at(d, x, y);
                    if (diff(p, at(d, x - 1, y)) <= 64 && diff(p, at(d, x, y - 1)) <= 64) continue;
                    const s = diff(p, bg);
                    if (left < 0) left = x;
                    right = x;
                    if (s >= strength) { strength = s; strongest = p; }
                }
                if (left < 0) { current = null; continue; }
                if (!current) { current = { top: y, bottom: y, left, right, strength, color: strongest }; found.push(current); continue; }
                current.bottom = y;
                current.left = Math.min(current.left, left);
                current.right = Math.max(current.right, right);
                if (strength > current.strength) { current.strength = strength; current.color = strongest; }
            }
            return found;
        }
        const la = lines(da);
        const lb = lines(db);
        const masked = (x, y) => [...la, ...lb].some((l) => y >= l.top - 2 && y <= l.bottom + 2 && x >= l.left - 2 && x <= l.right + 2);
        let differing = 0;
        let compared = 0;
        for (let y = 0; y < h; y++) {
            for (let x = 0; x < w; x++) {
                if (masked(x, y)) continue;
                compared++;
                if (diff(at(da, x, y), at(db, x, y)) > 48) differing++;
            }
        }
        return { size: [w, h, db.width, db.height], designer: la, player: lb, differing, compared };
    }, [designer.toString('base64'), player.toString('base64')]);
    await page.close();
    return result;
}

for (const [name, replacements] of tickers) {
    test(`a still frame of the player matches the Designer canvas: ${name}`, { skip }, async () => {
        const settings = settingsText({ ...common, ...replacements });
        const designer = designerFrame(settings);
        const player = await playerFrame(settings);
        const r = await analyse(designer, player);
        const report = JSON.stringify(r, (k, v) => (k === 'color' ? undefined : v));
        assert.deepEqual(r.size, [300, 200, 300, 200]);
        // The Designer also shows the link sample line, which a My News entry never has.
        assert.equal(r.designer.length, 5, report);
        assert.equal(r.player.length, 4, report);
        for (let i = 0; i < 4; i++) {
            const [d, p] = [r.designer[i], r.player[i]];
            assert.ok(Math.abs(d.top - p.top) <= 1 && Math.abs(d.bottom - p.bottom) <= 1, `line ${i} rows ${report}`);
            assert.ok(Math.abs(d.left - p.left) <= 1, `line ${i} left ${report}`);
            const width = d.right - d.left;
            assert.ok(Math.abs(width - (p.right - p.left)) <= 0.08 * width, `line ${i} width ${report}`);
            assert.ok(Math.max(...d.color.map((v, c) => Math.abs(v - p.color[c]))) <= 48, `line ${i} colour ${report}`);
        }
        assert.ok(r.differing <= 0.002 * r.compared, `${r.differing} of ${r.compared} pixels differ ${report}`);
    });
}

test('the HTML5 output set that the tool writes plays in the browser', { skip }, async () => {
    const source = tempDir('tk-source-');
    const settings = settingsText({ newsurl1: 'my.txt', newsurl2: '', player: 'html5' });
    fs.writeFileSync(path.join(source, 'my.xml'), settings);
    fs.writeFileSync(path.join(source, 'my.txt'), fixture('my.txt'));
    const out = tempDir('tk-out-');
    execFileSync(cli, ['save', '--open', path.join(source, 'my.xml'), path.join(out, 'News Ticker.xml')], { stdio: 'ignore' });
    for (const name of ['news ticker.xml', 'news ticker.html', 'news ticker.js', 'news ticker.php', 'news ticker.txt']) {
        assert.ok(fs.existsSync(path.join(out, name)), name);
    }
    const php = await startPhp(out);
    servers.push(php);
    const page = await browser.newPage();
    await page.goto(`${php.url}news%20ticker.html`);
    await page.waitForFunction(() => document.querySelector('.velmora-rovanel')?.dataset.state === 'running');
    const titles = await page.$$eval('.tk-copy:first-child .tk-title', (els) => els.map((e) => e.textContent));
    assert.deepEqual(titles, ["Tom & Jerry's <show>", 'Second own entry']);
    assert.deepEqual(await page.$eval('.velmora-rovanel', (b) => [b.offsetWidth, b.offsetHeight]), [300, 200]);
    await page.close();
});

test('render: a new ticker at its size, and the errors of the command line', { skip }, async () => {
    const dir = tempDir('tk-render-args-');
    const run = (...args) => spawnSync(cli, ['render', ...args], { encoding: 'utf8' });
    const made = run(path.join(dir, 'new.png'));
    assert.equal(made.status, 0, made.stderr);
    // A PNG's IHDR holds the width and height from byte 16 on.
    const png = fs.readFileSync(path.join(dir, 'new.png'));
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [200, 200]);
    const cases = [
        [[], 2, /Wrong number of arguments/],
        [['--open', path.join(dir, 'missing.xml'), path.join(dir, 'x.png')], 1, /does not exist/],
        [[path.join(dir, 'no-such-folder', 'x.png')], 1, /Could not write/],
    ];
    for (const [args, status, message] of cases) {
        const result = run(...args);
        assert.equal(result.status, status, args.join(' '));
        assert.match(result.stderr, message);
    }
});
