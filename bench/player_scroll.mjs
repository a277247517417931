#!/usr/bin/env node
// Figures of the ticker player in chromium: how long a ticker with many entries takes to
// start scrolling, how long the frames between animation steps are while it scrolls, and
// how much script memory it holds. Run: node bench/player_scroll.mjs [entries]
// (needs `npm ci` in tests/web first).
import { embedPage, launchBrowser, outputSet, settingsText, startPhp } from '../tests/web/lib/harness.mjs';

const count = Number(process.argv[2] || 1000);

function news(n) {
    let items = '';
    for (let i = 0; i < n; i++) {
        items += `<item>\r\n<title>Headline number ${i}</title>\r\n<author>Desk</author>\r\n<pubDate>09 Dec 2026  3:05 pm</pubDate>\r\n`
            + `<description>Some &lt;b&gt;bold&lt;/b&gt; text of entry ${i} with a &lt;a href=&quot;http://example.test/${i}&quot;&gt;link&lt;/a&gt;.</description>\r\n</item>\r\n`;
    }
    return `<?xml version="1.0"?>\r\n<rss version="2.0">\r\n<channel>\r\n${items}</channel>\r\n</rss>\r\n`;
}

const settings = settingsText({ newsurl1: 'my.txt', newsurl2: '', scrollspeed: '10', scrollpause: '0' });
const dir = outputSet({ settings, files: { 'my.txt': news(count), 'my.html': embedPage('my', 300, 200) } });
const php = await startPhp(dir);
const browser = await launchBrowser();
try {
    const page = await browser.newPage();
    const started = Date.now();
    await page.goto(`${php.url}my.html`);
    await page.waitForFunction(() => document.querySelector('.velmora-rovanel').dataset.state === 'running', null,
                               { timeout: 60000 });
    const startMs = Date.now() - started;
    const frames = await page.evaluate(() => new Promise((resolve) => {
        const gaps = [];
        let last = 0;
        const end = performance.now() + 3000;
        function frame(now) {
            if (last) gaps.push(now - last);
            last = now;
            if (now < end) requestAnimationFrame(frame);
            else resolve(gaps);
        }
        requestAnimationFrame(frame);
    }));
    frames.sort((a, b) => a - b);
    const heap = await page.evaluate(() => performance.memory ? performance.memory.usedJSHeapSize : 0);
    const mean = frames.reduce((a, b) => a + b, 0) / frames.length;
    console.log(`entries: ${count}`);
    console.log(`page open to scrolling: ${startMs} ms`);
    console.log(`frame interval while scrolling: mean ${mean.toFixed(1)} ms, 95th percentile ${frames[Math.floor(frames.length * 0.95)].toFixed(1)} ms, max ${frames[frames.length - 1].toFixed(1)} ms over ${frames.length} frames`);
    console.log(`script heap: ${(heap / 1048576).toFixed(1)} MiB`);
} finally {
    await browser.close();
    await php.stop();
}
