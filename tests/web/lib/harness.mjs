// Servers, output sets and the browser for the web tests. Everything listens on 127.0.0.1
// only and is stopped by the test that started it.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
export const sourceDir = process.env.TK_SOURCE_DIR || path.resolve(here, '../../..');
export const fixturesDir = path.join(sourceDir, 'tests/web/fixtures');
const programData = path.join(sourceDir, 'data/program');

const made = [];
process.on('exit', () => {
    for (const dir of made) fs.rmSync(dir, { recursive: true, force: true });
});

export function tempDir(prefix) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
    made.push(dir);
    return dir;
}

export function fixture(name) {
    return fs.readFileSync(path.join(fixturesDir, name));
}

// The settings fixture with some attributes replaced, keeping its layout.
export function settingsText(replacements = {}, name = 'ticker.xml') {
    let text = fixture(name).toString('utf8');
    for (const [attribute, value] of Object.entries(replacements)) {
        const pattern = new RegExp(` ${attribute}="[^"]*"`);
        text = pattern.test(text) ? text.replace(pattern, ` ${attribute}="${value}"`)
                                  : text.replace('\r\n>', `\r\n ${attribute}="${value}"\r\n>`);
    }
    return text;
}

// An output set as the tool writes it: base.xml, base.html, base.js, base.php and the news file.
export function outputSet({ base = 'my', settings, files = {} }) {
    const dir = tempDir('tk-set-');
    fs.copyFileSync(path.join(programData, 'swf/rovanel.js'), path.join(dir, `${base}.js`));
    fs.copyFileSync(path.join(programData, 'php/loader.php'), path.join(dir, `${base}.php`));
    fs.writeFileSync(path.join(dir, `${base}.xml`), settings);
    for (const [name, content] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), content);
    return dir;
}

export function embedPage(base, width, height) {
    return `<!DOCTYPE html><html><head><meta charset="utf-8"><title>t</title></head><body style="margin:0">`
        + `<div class="velmora-rovanel" style="width:${width}px;height:${height}px;"></div>\r\n`
        + `<script src="${base}.js" data-settings="${base}.xml"></script></body></html>`;
}

function freePort() {
    return new Promise((resolve, reject) => {
        const server = net.createServer();
        server.once('error', reject);
        server.listen(0, '127.0.0.1', () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

async function waitForPort(port, child) {
    for (let i = 0; i < 100; i++) {
        if (child.exitCode !== null) throw new Error(`server ended early (${child.exitCode})`);
        const open = await new Promise((resolve) => {
            const socket = net.connect(port, '127.0.0.1', () => { socket.end(); resolve(true); });
            socket.once('error', () => resolve(false));
        });
        if (open) return;
        await new Promise((r) => setTimeout(r, 50));
    }
    throw new Error('server did not start');
}

// PHP's built-in server on a folder; `allowLoopback` is the loader's test-only switch.
export async function startPhp(dir, { allowLoopback = true } = {}) {
    const port = await freePort();
    const tmp = tempDir('tk-php-tmp-');
    const env = { ...process.env, TK_LOADER_TEST_ALLOW_LOOPBACK: allowLoopback ? '1' : '0' };
    const child = spawn('php', ['-d', `sys_temp_dir=${tmp}`, '-S', `127.0.0.1:${port}`, '-t', dir],
                        { cwd: dir, env, stdio: ['ignore', 'ignore', 'pipe'] });
    child.stderr.resume();
    await waitForPort(port, child);
    return {
        url: `http://127.0.0.1:${port}/`,
        cacheDir: tmp,
        stop: () => new Promise((resolve) => {
            if (child.exitCode !== null) return resolve();
            child.once('exit', resolve);
            child.kill('SIGTERM');
        }),
    };
}

// A feed server whose answers the test chooses per path.
export async function startFeedServer(routes) {
    const server = http.createServer((request, response) => {
        const route = routes[new URL(request.url, 'http://x').pathname];
        if (!route) {
            response.writeHead(404);
            response.end();
            return;
        }
        route(request, response);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        port: server.address().port,
        url: `http://127.0.0.1:${server.address().port}`,
        stop: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
    };
}

export function serveXml(body, type = 'application/rss+xml') {
    return (request, response) => {
        response.writeHead(200, { 'Content-Type': type });
        response.end(body);
    };
}

export async function launchBrowser(options = {}) {
    const profile = tempDir('tk-chromium-');
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               // No name is ever looked up: every host but 127.0.0.1 is unknown to the browser.
               '--dns-prefetch-disable', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'],
        viewport: { width: 800, height: 600 },
        deviceScaleFactor: 1,
        ...options,
    });
    // Nothing may leave 127.0.0.1, whatever a feed links to.
    await context.route(/^(?!https?:\/\/127\.0\.0\.1[:/])/, (route) => route.abort());
    return context;
}

// The strip's offset along both axes, from its transform.
export async function stripOffset(page, box = '.velmora-rovanel') {
    return page.$eval(`${box} .tk-strip`, (strip) => {
        const match = /translate\((-?\d+(?:\.\d+)?)px,\s*(-?\d+(?:\.\d+)?)(?:px)?\)/.exec(strip.style.transform);
        return match ? { x: -Number(match[1]) || 0, y: -Number(match[2]) || 0 } : { x: 0, y: 0 };
    });
}
