// The feed loader: only the feeds its own settings file names, never the private network,
// never more than the size cap, and the last good copy while a feed is down.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import net from 'node:net';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fixture, outputSet, serveXml, settingsText, startFeedServer, startPhp } from './lib/harness.mjs';

const feedBody = fixture('feed.xml');
let feeds;
let feedDown = false;
const servers = [];

before(async () => {
    feeds = await startFeedServer({
        '/feed.xml': serveXml(feedBody),
        '/flaky.xml': (request, response) => {
            response.writeHead(feedDown ? 503 : 200, { 'Content-Type': 'text/xml' });
            response.end(feedDown ? 'down' : feedBody);
        },
        '/big.xml': (request, response) => {
            response.writeHead(200, { 'Content-Type': 'text/xml' });
            response.end(`<rss>${'x'.repeat(1100 * 1024)}</rss>`);
        },
        '/html.xml': serveXml('Service unavailable, try later', 'text/html'),
        '/same-host.xml': (request, response) => {
            response.writeHead(302, { Location: '/feed.xml' });
            response.end();
        },
        '/other-host.xml': (request, response) => {
            response.writeHead(301, { Location: 'http://10.1.2.3/feed.xml' });
            response.end();
        },
        '/metadata.xml': (request, response) => {
            response.writeHead(302, { Location: 'http://169.254.169.254/latest/meta-data/' });
            response.end();
        },
        '/echo.xml': (request, response) => {
            response.writeHead(200, { 'Content-Type': 'text/xml' });
            response.end(`<rss><url>${request.url}</url></rss>`);
        },
    });
});
after(async () => {
    await Promise.all(servers.map((s) => s.stop()));
    await feeds?.stop();
});

// A loader beside a settings file whose newsurl1.. are these addresses.
async function loader(addresses, options) {
    const replacements = { newsurl1: '', newsurl2: '' };
    addresses.forEach((address, i) => { replacements[`newsurl${i + 1}`] = address.replaceAll('&', '&amp;'); });
    const php = await startPhp(outputSet({ base: 'ticker', settings: settingsText(replacements) }), options);
    servers.push(php);
    return {
        php,
        get: (query) => fetch(`${php.url}ticker.php${query}`, { redirect: 'manual' }),
    };
}

describe('serves', () => {
    test('the feed of the number asked for, as XML that cannot run as a page', async () => {
        const { get } = await loader(['my.txt', `${feeds.url}/feed.xml`]);
        const response = await get('?feed=2');
        assert.equal(response.status, 200);
        assert.deepEqual(Buffer.from(await response.arrayBuffer()), feedBody);
        assert.equal(response.headers.get('content-type'), 'application/xml');
        assert.match(response.headers.get('content-security-policy'), /sandbox/);
        assert.equal(response.headers.get('x-content-type-options'), 'nosniff');
    });

    test('the address exactly as the settings file holds it, query and all', async () => {
        const { get } = await loader([`${feeds.url}/echo.xml?a=1&b=two`]);
        const response = await get('?feed=1&url=http://127.0.0.1:1/other');
        assert.equal(await response.text(), '<rss><url>/echo.xml?a=1&b=two</url></rss>');
    });

    test('a redirect on the same host, which is checked again', async () => {
        const { get } = await loader([`${feeds.url}/same-host.xml`]);
        const response = await get('?feed=1');
        assert.equal(response.status, 200);
        assert.deepEqual(Buffer.from(await response.arrayBuffer()), feedBody);
    });

    test('the last good copy while the feed is down, and none when there never was one', async () => {
        feedDown = false;
        const { get, php } = await loader([`${feeds.url}/flaky.xml`]);
        assert.equal((await get('?feed=1')).headers.get('x-tickerine-cache'), 'new');
        assert.equal((await get('?feed=1')).headers.get('x-tickerine-cache'), 'fresh');
        // Age the cached copy past its lifetime, then take the feed down.
        const folder = fs.readdirSync(php.cacheDir).map((f) => path.join(php.cacheDir, f))[0];
        for (const file of fs.readdirSync(folder)) {
            fs.utimesSync(path.join(folder, file), new Date(0), new Date(Date.now() - 3600 * 1000));
        }
        feedDown = true;
        try {
            const stale = await get('?feed=1');
            assert.equal(stale.status, 200);
            assert.equal(stale.headers.get('x-tickerine-cache'), 'stale');
            assert.deepEqual(Buffer.from(await stale.arrayBuffer()), feedBody);
            const fresh = await loader([`${feeds.url}/flaky.xml`]);
            assert.equal((await fresh.get('?feed=1')).status, 502);
        } finally {
            feedDown = false;
        }
    });
});

describe('refuses', () => {
    const numbers = [['?feed=3', 404], ['?feed=0', 400], ['?feed=abc', 400], ['', 400], ['?feed[]=1', 400],
                     ['?feed=1e1', 400], ['?feed=-1', 400]];
    test('feed numbers that its settings file does not name', async () => {
        const { get } = await loader(['my.txt', `${feeds.url}/feed.xml`]);
        for (const [query, status] of numbers) assert.equal((await get(query)).status, status, query);
    });

    const addresses = [
        ['a private address', 'http://192.168.1.10/feed.xml', 403],
        ['another private network', 'http://10.0.0.1/feed.xml', 403],
        ['a link-local address', 'http://169.254.169.254/latest/meta-data/', 403],
        ['a loopback address other than the test server', 'http://127.0.0.2/feed.xml', 403],
        ['IPv6 loopback', 'http://[::1]/feed.xml', 403],
        ['IPv4 behind an IPv6 prefix', 'http://[64:ff9b::a00:1]/feed.xml', 403],
        ['IPv4 in an IPv6 mapped address', 'http://[::ffff:127.0.0.1]/feed.xml', 403],
        ['an address the parser cannot read', 'http:///feed.xml', 403],
        ['an address of another scheme', 'file:///etc/passwd', 403],
        ['ftp', 'ftp://127.0.0.1/feed.xml', 403],
        ['the My News file name', 'my.txt', 403],
    ];
    for (const [name, address, status] of addresses) {
        test(name, async () => {
            const { get } = await loader([address]);
            const response = await get('?feed=1');
            assert.equal(response.status, status);
            assert.doesNotMatch(await response.text(), /root:|<rss/);
        });
    }

    test('loopback when the test switch is off, as on a published site', async () => {
        const { get } = await loader([`${feeds.url}/feed.xml`], { allowLoopback: false });
        assert.equal((await get('?feed=1')).status, 403);
    });

    const answers = [
        ['an oversized feed', '/big.xml', 502, /too large/],
        ['a redirect to a private host', '/other-host.xml', 403, /not allowed/],
        ['a redirect to the metadata address', '/metadata.xml', 403, /not allowed/],
        ['an answer that is not XML', '/html.xml', 502, /not XML/],
        ['a feed that is not there', '/missing.xml', 502, /404/],
    ];
    for (const [name, route, status, message] of answers) {
        test(name, async () => {
            const { get } = await loader([`${feeds.url}${route}`]);
            const response = await get('?feed=1');
            assert.equal(response.status, status);
            assert.match(await response.text(), message);
        });
    }
});

test('gives up on a feed server that never answers within its time limit', async () => {
    const sockets = [];
    const silent = await new Promise((resolve) => {
        const server = net.createServer((socket) => sockets.push(socket));
        server.listen(0, '127.0.0.1', () => resolve(server));
    });
    try {
        const { get } = await loader([`http://127.0.0.1:${silent.address().port}/feed.xml`]);
        const started = Date.now();
        const response = await get('?feed=1');
        assert.equal(response.status, 504);
        assert.ok(Date.now() - started < 12000, `${Date.now() - started} ms`);
    } finally {
        sockets.forEach((s) => s.destroy());
        silent.close();
    }
});

test('a feed sent in chunks, as some servers do even to HTTP/1.0', async () => {
    const raw = await new Promise((resolve) => {
        const server = net.createServer((socket) => socket.once('data', () => socket.end(
            'HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nTransfer-Encoding: chunked\r\n\r\n'
            + '5\r\n<rss>\r\na;ext=1\r\n<channel/>\r\n6\r\n</rss>\r\n0\r\n\r\n')));
        server.listen(0, '127.0.0.1', () => resolve(server));
    });
    try {
        const { get } = await loader([`http://127.0.0.1:${raw.address().port}/feed.xml`]);
        const response = await get('?feed=1');
        assert.equal(response.status, 200);
        assert.equal(await response.text(), '<rss><channel/></rss>');
    } finally {
        raw.close();
    }
});
