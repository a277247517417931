// What a visitor sees of the ticker in a real browser: entries, fonts, motion, courtesy, errors.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import {
    embedPage, fixture, launchBrowser, outputSet, serveXml, settingsText, startFeedServer, startPhp, stripOffset,
} from './lib/harness.mjs';

let browser;
let feeds;
const servers = [];

before(async () => {
    browser = await launchBrowser();
    feeds = await startFeedServer({
        '/news/feed.xml': serveXml(fixture('feed.xml'), 'text/xml'),
        // No declaration: only the server's header tells the character set.
        '/latin1.xml': serveXml(Buffer.from('<rss><channel><item><title>Caf\u00e9 cr\u00e8me</title></item></channel></rss>', 'latin1'),
                                'text/xml; charset=ISO-8859-1'),
    });
});
after(async () => {
    await Promise.all(servers.map((s) => s.stop()));
    await feeds?.stop();
    await browser?.close();
});

// Serves an output set made from the settings fixture and opens its page.
async function openTicker(replacements = {}, { files = { 'my.txt': fixture('my.txt') }, page: pageHtml, media } = {}) {
    const settings = settingsText(replacements).replace('FEEDPORT', String(feeds.port));
    const dir = outputSet({ settings, files: { 'my.html': pageHtml ?? embedPage('my', 300, 200), ...files } });
    const php = await startPhp(dir);
    servers.push(php);
    const page = await browser.newPage();
    page.requests = [];
    page.on('request', (request) => page.requests.push(request));
    if (media) await page.emulateMedia(media);
    await page.goto(`${php.url}my.html`);
    return page;
}

async function waitState(page, state, box = '.velmora-rovanel') {
    await page.waitForFunction(([b, s]) => document.querySelector(b)?.getAttribute('data-state') === s,
                               [box, state], { timeout: 10000 });
}

function partStyle(page, selector) {
    return page.$eval(selector, (el) => {
        const s = getComputedStyle(el);
        return { color: s.color, weight: s.fontWeight, style: s.fontStyle, size: s.fontSize, family: s.fontFamily };
    });
}

describe('entries', () => {
    let page;
    before(async () => {
        page = await openTicker({ scrollpause: '300' });
        await waitState(page, 'running');
    });

    test('shows the My News entries first, then the feed entries, each part in its font', async () => {
        const titles = await page.$$eval('.tk-copy:first-child .tk-title', (els) => els.map((e) => e.textContent));
        // The feed is ISO-8859-1; the title must not come out as mojibake.
        assert.deepEqual(titles, ["Tom & Jerry's <show>", 'Second own entry', 'Caf\u00e9 opens', 'Feed headline two']);
        const cases = [
            ['.tk-title', { color: 'rgb(128, 0, 0)', weight: '700', style: 'normal', size: '16px' }],
            ['.tk-author', { color: 'rgb(0, 128, 0)', weight: '400', style: 'normal', size: '10.6667px' }],
            ['.tk-date', { color: 'rgb(0, 0, 0)', weight: '400', style: 'italic' }],
            ['.tk-text', { color: 'rgb(32, 32, 32)', size: '12px', family: '"Courier New", monospace' }],
        ];
        for (const [selector, expected] of cases) {
            const actual = await partStyle(page, `.tk-copy:first-child ${selector}`);
            for (const [key, value] of Object.entries(expected)) assert.equal(actual[key], value, `${selector} ${key}`);
        }
        const link = await page.$eval('.tk-copy:first-child .tk-link a', (a) => ({
            href: a.href, color: getComputedStyle(a).color, target: a.target }));
        assert.deepEqual(link, { href: 'http://example.test/cafe', color: 'rgb(0, 0, 255)', target: '_blank' });
    });

    test('reads only from its own site: the My News file beside the settings, other feeds through the loader', async () => {
        const origin = new URL(page.url()).origin;
        const loads = page.requests.filter((r) => r.resourceType() === 'xhr').map((r) => r.url().replace(origin, ''));
        assert.deepEqual(loads.sort(), ['/my.php?feed=2', '/my.txt', '/my.xml']);
    });

    test('keeps the markup the author wrote and removes whatever could run', async () => {
        const first = await page.$eval('.tk-copy:first-child .tk-text', (el) => el.innerHTML);
        assert.match(first, /<b>bold<\/b>/);
        assert.match(first, /<i>italic<\/i>/);
        assert.match(first, /<u>under<\/u>/);
        assert.match(first, /<a href="http:\/\/example.test\/more" target="_blank" rel="noopener noreferrer">a link<\/a>/);
        // A relative image is found beside the news file, as the tool copies it there.
        assert.match(first, /<img src="http:\/\/127\.0\.0\.1:\d+\/x\.png">/);
        assert.doesNotMatch(first, /script|onerror|javascript/i);
        const feedText = await page.$$eval('.tk-copy:first-child .tk-text', (els) => els[2].innerHTML);
        assert.equal(feedText, '<p>Fresh <em>coffee</em> <span>daily</span>.</p>');
        await page.click('.tk-copy:first-child .tk-text span', { force: true }).catch(() => {});
        assert.equal(await page.evaluate(() => window.tkInjected), undefined);
    });

    test('the second copy that closes the loop is hidden from screen readers and the keyboard', async () => {
        const copies = await page.$$eval('.tk-copy', (els) => els.map((e) => ({
            hidden: e.getAttribute('aria-hidden'), inert: e.inert })));
        assert.deepEqual(copies, [{ hidden: null, inert: false }, { hidden: 'true', inert: true }]);
        assert.equal(await page.getAttribute('.tk-live', 'aria-live'), 'polite');
        assert.equal(await page.textContent('.tk-live'), "Tom & Jerry's <show>");
    });

    test('Atom feeds: title, alternate link, author name, escaped and inline markup', async () => {
        const atom = await openTicker({ newsurl1: 'atom.xml', newsurl2: '' }, { files: { 'atom.xml': fixture('atom.xml') } });
        await waitState(atom, 'running');
        const entries = await atom.$$eval('.tk-copy:first-child .tk-entry', (els) => els.map((e) => ({
            title: e.querySelector('.tk-title')?.textContent, author: e.querySelector('.tk-author')?.textContent,
            text: e.querySelector('.tk-text')?.innerHTML, link: e.querySelector('.tk-link a')?.href })));
        assert.deepEqual(entries, [
            { title: 'Atom headline', author: 'Atom Author', text: '<b>Escaped</b> summary', link: 'http://example.test/atom-entry' },
            { title: 'Inline XHTML', author: undefined, text: '<div><i>inline</i> content</div>', link: undefined },
        ]);
        assert.equal(await atom.evaluate(() => window.tkInjected), undefined);
    });

    test('the transparency of the entry box and of the gradient colours', async () => {
        const page = await openTicker({ entrybkcolor: '0x0000FF', entrybkalpha: '40', bkgdt: 'true', bkgdtclr1: '0xFF0000',
                                        bkgdtclr1a: '0', bkgdtclr2: '0x00FF00', bkgdtclr2a: '100' });
        await waitState(page, 'running');
        const pixels = await page.evaluate(() => {
            const [ticker, entry] = [...document.querySelectorAll('.velmora-rovanel canvas')].map((c) => c.getContext('2d'));
            const at = (ctx, x, y) => [...ctx.getImageData(x, y, 1, 1).data];
            return { entry: at(entry, 150, 100), tickerStart: at(ticker, 1, 1), tickerEnd: at(ticker, 298, 198) };
        });
        assert.deepEqual(pixels.entry, [0, 0, 255, 102]);
        // The first gradient colour is fully transparent: the white background shows there.
        assert.deepEqual(pixels.tickerStart, [255, 255, 255, 255]);
        assert.ok(pixels.tickerEnd[1] > 240 && pixels.tickerEnd[0] < 15, `${pixels.tickerEnd}`);
    });

    test('a feed whose server names its character set', async () => {
        const latin = await openTicker({ newsurl1: `http://127.0.0.1:${feeds.port}/latin1.xml`, newsurl2: '' });
        await waitState(latin, 'running');
        assert.equal(await latin.textContent('.tk-copy:first-child .tk-title'), 'Caf\u00e9 cr\u00e8me');
    });

    test('only headlines with entryonlyshowheadline', async () => {
        const headlines = await openTicker({ entryonlyshowheadline: 'true' });
        await waitState(headlines, 'running');
        const parts = await headlines.$$eval('.tk-copy:first-child .tk-entry > *', (els) => els.map((e) => e.className));
        assert.deepEqual(parts, ['tk-title', 'tk-title', 'tk-title', 'tk-title']);
    });
});

describe('motion', () => {
    test('scrolls up at the set speed and stops at each headline', async () => {
        // scrollspeed 10 is 120 px/s; scrollpause 20 is a stop of one second.
        const page = await openTicker();
        await waitState(page, 'running');
        assert.deepEqual((await stripOffset(page)), { x: 0, y: 0 });
        await page.waitForTimeout(600);
        assert.equal((await stripOffset(page)).y, 0, 'still in the first pause');
        // Measured in the page, away from the test driver's round trips.
        const speed = await page.evaluate(() => new Promise((resolve) => {
            const strip = document.querySelector('.tk-strip');
            const offset = () => -parseFloat(/,\s*(-?[\d.]+)/.exec(strip.style.transform)[1]);
            let start = null;
            function frame(now) {
                const y = offset();
                if (!start && y > 0) start = { now, y };
                if (start && now - start.now >= 300) return resolve((y - start.y) / ((now - start.now) / 1000));
                requestAnimationFrame(frame);
            }
            requestAnimationFrame(frame);
        }));
        assert.ok(speed > 90 && speed < 150, `speed ${speed} px/s`);
        // The second entry's place is read live: a broken image in the first one may still
        // change its height while the strip moves.
        const secondTop = () => page.$$eval('.tk-copy:first-child .tk-entry', (els) => els[1].offsetTop);
        await page.waitForFunction(() => {
            const offset = -parseFloat(/,\s*(-?[\d.]+)/.exec(document.querySelector('.tk-strip').style.transform)[1]);
            return offset === document.querySelectorAll('.tk-copy:first-child .tk-entry')[1].offsetTop;
        }, null, { timeout: 5000, polling: 'raf' });
        await page.waitForTimeout(500);
        assert.equal((await stripOffset(page)).y, await secondTop(), 'pauses at the second headline');
    });

    test('scrolls left with newshorz', async () => {
        const page = await openTicker({ newshorz: 'true', scrollpause: '0' });
        await waitState(page, 'running');
        await page.waitForTimeout(500);
        const offset = await stripOffset(page);
        assert.equal(offset.y, 0);
        assert.ok(offset.x > 20, `moved ${offset.x}px`);
        const lefts = await page.$$eval('.tk-copy:first-child .tk-entry', (els) => els.map((e) => e.offsetLeft));
        assert.deepEqual(lefts, [0, 298, 596, 894]);
    });

    test('holds still under the pointer, on keyboard focus and with the pause button', async () => {
        const page = await openTicker({ scrollpause: '0' });
        await waitState(page, 'running');
        async function stillFor(ms) {
            const a = await stripOffset(page);
            await page.waitForTimeout(ms);
            return (await stripOffset(page)).y === a.y;
        }
        await page.mouse.move(100, 100);
        assert.ok(await stillFor(400), 'pointer');
        await page.mouse.move(600, 400);
        assert.ok(!(await stillFor(300)), 'moves again when the pointer leaves');
        await page.focus('.tk-next');
        assert.ok(await stillFor(400), 'focus');
        await page.focus('.tk-pause');
        await page.keyboard.press('Enter');
        assert.equal(await page.getAttribute('.tk-pause', 'aria-pressed'), 'true');
        assert.equal(await page.getAttribute('.tk-pause', 'aria-label'), 'Resume the news');
        assert.ok(await stillFor(400), 'pause button');
        await page.keyboard.press('Enter');
        assert.ok(!(await stillFor(300)), 'resumed with focus still on the button');
    });

    test('next and back step through the entries', async () => {
        // A button image beside the settings file is used; an address elsewhere is not followed.
        const page = await openTicker({ scrollpause: '300', nextbutton: 'next.png', backbutton: 'http://127.0.0.1:9/b.png' },
                                      { files: { 'my.txt': fixture('my.txt'), 'next.png': fixture('next.png') } });
        await waitState(page, 'running');
        await page.waitForFunction(() => document.querySelector('.tk-next img')?.naturalWidth === 12);
        assert.equal(await page.$('.tk-back img'), null);
        assert.equal(await page.getAttribute('.tk-next', 'aria-label'), 'Next entry');
        const steps = [['.tk-next', 1], ['.tk-next', 2], ['.tk-back', 1], ['.tk-back', 0], ['.tk-back', 3], ['.tk-next', 0]];
        for (const [button, entry] of steps) {
            await page.click(button);
            const top = await page.$$eval('.tk-copy:first-child .tk-entry', (els, i) => els[i].offsetTop, entry);
            assert.equal((await stripOffset(page)).y, top, `${button} to entry ${entry}`);
        }
    });

    test('shows a still list to visitors who ask for reduced motion', async () => {
        const page = await openTicker({ scrollpause: '0' }, { media: { reducedMotion: 'reduce' } });
        await waitState(page, 'static');
        assert.equal(await page.$$eval('.tk-copy', (els) => els.length), 1);
        assert.equal(await page.$('.tk-controls'), null);
        await page.waitForTimeout(300);
        assert.equal(await page.$eval('.tk-strip', (s) => s.style.transform), '');
        const scrollable = await page.$eval('.tk-viewport', (v) => v.scrollHeight > v.clientHeight
                                            && getComputedStyle(v).overflowY === 'auto' && v.tabIndex === 0);
        assert.ok(scrollable);
        // A visitor who changes the setting while the page is open gets the moving ticker.
        await page.emulateMedia({ reducedMotion: 'no-preference' });
        await waitState(page, 'running');
        assert.equal(await page.$$eval('.tk-copy', (els) => els.length), 2);
    });
});

describe('problems', () => {
    const cases = [
        ['a feed that is not XML', { newsurl1: 'broken.txt', newsurl2: '' }, 'The news could not be loaded.'],
        ['a feed that is missing', { newsurl1: 'gone.txt', newsurl2: '' }, 'The news could not be loaded.'],
        ['a feed of another scheme', { newsurl1: 'ftp://127.0.0.1/x', newsurl2: '' }, 'The news could not be loaded.'],
        ['no feed at all', { newsurl1: '', newsurl2: '' }, 'There is no news at the moment.'],
    ];
    for (const [name, replacements, message] of cases) {
        test(`${name} gives a short message in the ticker`, async () => {
            const page = await openTicker(replacements, { files: { 'broken.txt': fixture('broken.txt') } });
            await waitState(page, 'message');
            assert.equal(await page.textContent('.velmora-rovanel .tk-message'), message);
            assert.equal(await page.$eval('.velmora-rovanel', (b) => b.offsetWidth), 300);
        });
    }

    test('a settings file that cannot be read gives a message, not a broken page', async () => {
        for (const settings of ['my-missing.xml', 'my.txt']) {
            const page = await openTicker({}, {
                page: `<!DOCTYPE html><body><div class="velmora-rovanel" style="width:300px;height:200px;"></div>\r\n`
                    + `<script src="my.js" data-settings="${settings}"></script><p id="after">rest of page</p></body>`,
            });
            await waitState(page, 'message');
            assert.equal(await page.textContent('.tk-message'), 'The news ticker could not be loaded.');
            assert.equal(await page.textContent('#after'), 'rest of page');
        }
    });

    test('one bad feed among good ones leaves the good entries', async () => {
        const page = await openTicker({ newsurl1: 'broken.txt' }, { files: { 'broken.txt': fixture('broken.txt') } });
        await waitState(page, 'running');
        assert.equal(await page.$$eval('.tk-copy:first-child .tk-entry', (els) => els.length), 2);
    });
});

test('two tickers share a page, each with its own settings', async () => {
    const second = settingsText({ mainwidth: '200', newswidth: '198', newshorz: 'true', newsurl2: '' });
    const pageHtml = embedPage('my', 300, 200).replace('</body>', '<div class="velmora-rovanel" style="width:200px;height:100px;"></div>\r\n'
        + '<script src="my.js" data-settings="other.xml"></script></body>');
    const page = await openTicker({}, { page: pageHtml, files: { 'my.txt': fixture('my.txt'), 'other.xml': second } });
    await waitState(page, 'running', '.velmora-rovanel:nth-of-type(1)');
    await page.waitForFunction(() => [...document.querySelectorAll('.velmora-rovanel')].every((b) => b.dataset.state === 'running'));
    const boxes = await page.$$eval('.velmora-rovanel', (els) => els.map((b) => ({
        width: b.offsetWidth, horizontal: b.classList.contains('tk-horizontal'),
        entries: b.querySelectorAll('.tk-copy:first-child .tk-entry').length })));
    assert.deepEqual(boxes, [{ width: 300, horizontal: false, entries: 4 }, { width: 200, horizontal: true, entries: 2 }]);
});
