<?php
/*
 * Tickerine feed loader.
 *
 * The ticker player on a page may only read from its own site, so feeds from other sites come
 * through this file: NAME.php?feed=N returns the feed that the attribute newsurlN of NAME.xml,
 * the settings file beside this file, names. It never fetches an address taken from the
 * request, so it is no open proxy. Only http and https are followed, every address (and every
 * redirect) is resolved and checked before connecting, private, loopback and link-local
 * networks are refused, and time and size are limited. Good copies are kept in a file cache
 * and the last good copy is served while the feed is down.
 */

const TK_MAX_FEED_BYTES = 1048576;
const TK_CONNECT_SECONDS = 5;
const TK_TOTAL_SECONDS = 10;
const TK_MAX_REDIRECTS = 3;
const TK_CACHE_SECONDS = 600;
const TK_USER_AGENT = 'Tickerine feed loader';

final class TkRefused extends Exception
{
    public int $status;

    public function __construct(int $status, string $message)
    {
        parent::__construct($message);
        $this->status = $status;
    }
}

function tk_settings_path(): string
{
    return __DIR__ . '/' . basename(__FILE__, '.php') . '.xml';
}

/* The feed addresses of the settings file, by number. The file is the tool's own fixed
 * layout (one attribute per line), so reading the attributes needs no XML extension, which
 * many hosts lack. */
function tk_feed_address(int $number): string
{
    $text = @file_get_contents(tk_settings_path(), false, null, 0, 1048576);
    if ($text === false) {
        throw new TkRefused(404, 'No settings file.');
    }
    if (!preg_match('/\snewsurl' . $number . '\s*=\s*("([^"]*)"|\'([^\']*)\')/', $text, $match)) {
        throw new TkRefused(404, 'No such feed.');
    }
    $value = $match[2] !== '' ? $match[2] : ($match[3] ?? '');
    return html_entity_decode($value, ENT_QUOTES | ENT_XML1, 'UTF-8');
}

function tk_requested_number(): int
{
    $value = $_GET['feed'] ?? '';
    if (!is_string($value) || !preg_match('/^[1-9][0-9]{0,3}$/', $value)) {
        throw new TkRefused(400, 'Bad feed number.');
    }
    return (int)$value;
}

/* Only the tests of this file, run on PHP's own development server, may reach their feed
 * server on 127.0.0.1; a published loader never reads this switch. */
function tk_loopback_allowed(string $ip): bool
{
    return PHP_SAPI === 'cli-server' && getenv('TK_LOADER_TEST_ALLOW_LOOPBACK') === '1' && $ip === '127.0.0.1';
}

function tk_public_ip(string $ip): bool
{
    if (tk_loopback_allowed($ip)) {
        return true;
    }
    if (filter_var($ip, FILTER_VALIDATE_IP, FILTER_FLAG_NO_PRIV_RANGE | FILTER_FLAG_NO_RES_RANGE) === false) {
        return false;
    }
    $packed = inet_pton($ip);
    if (strlen($packed) === 4) {
        $n = unpack('N', $packed)[1];
        // Shared address space (100.64.0.0/10) and benchmarking (198.18.0.0/15) are not public.
        return ($n & 0xFFC00000) !== 0x64400000 && ($n & 0xFFFE0000) !== 0xC6120000 && ($n & 0xF0000000) !== 0xE0000000;
    }
    // IPv6: refuse mapped and translated (NAT64) IPv4, unique-local and multicast space.
    $first = ord($packed[0]);
    return substr($packed, 0, 12) !== str_repeat("\0", 10) . "\xff\xff" && substr($packed, 0, 4) !== "\x00\x64\xff\x9b"
        && ($first & 0xFE) !== 0xFC && $first !== 0xFF;
}

/* Resolves the host once and checks every address, then connects to a checked address, so a
 * name cannot point somewhere else between the check and the connection. */
function tk_resolve(string $host): string
{
    $literal = trim($host, '[]');
    if (filter_var($literal, FILTER_VALIDATE_IP) !== false) {
        $addresses = [$literal];
    } else {
        $addresses = @gethostbynamel($host) ?: [];
    }
    if ($addresses === []) {
        throw new TkRefused(502, 'The feed server is not known.');
    }
    foreach ($addresses as $ip) {
        if (!tk_public_ip($ip)) {
            throw new TkRefused(403, 'The feed address is not allowed.');
        }
    }
    return $addresses[0];
}

function tk_parse_address(string $address): array
{
    $parts = parse_url($address);
    if (!is_array($parts)) {
        throw new TkRefused(403, 'The feed address is not allowed.');
    }
    $scheme = strtolower($parts['scheme'] ?? '');
    if (($scheme !== 'http' && $scheme !== 'https') || empty($parts['host']) || isset($parts['user'])) {
        throw new TkRefused(403, 'The feed address is not allowed.');
    }
    $path = ($parts['path'] ?? '') === '' ? '/' : $parts['path'];
    if (isset($parts['query'])) {
        $path .= '?' . $parts['query'];
    }
    if (preg_match('/[\x00-\x20\x7f]/', $path) || preg_match('/[^A-Za-z0-9.\-\[\]:]/', $parts['host'])) {
        throw new TkRefused(403, 'The feed address is not allowed.');
    }
    return [
        'scheme' => $scheme,
        'host' => $parts['host'],
        'port' => $parts['port'] ?? ($scheme === 'https' ? 443 : 80),
        'path' => $path,
    ];
}

function tk_remaining(float $deadline): float
{
    $left = $deadline - microtime(true);
    if ($left <= 0) {
        throw new TkRefused(504, 'The feed server is too slow.');
    }
    return $left;
}

function tk_open(array $url, string $ip, float $deadline)
{
    $target = (strpos($ip, ':') !== false ? '[' . $ip . ']' : $ip) . ':' . $url['port'];
    $host = trim($url['host'], '[]');
    $context = stream_context_create(['ssl' => [
        'peer_name' => $host,
        'verify_peer' => true,
        'verify_peer_name' => true,
        'SNI_enabled' => true,
    ]]);
    $transport = $url['scheme'] === 'https' ? 'ssl://' : 'tcp://';
    $timeout = min(TK_CONNECT_SECONDS, tk_remaining($deadline));
    $socket = @stream_socket_client($transport . $target, $errno, $error, $timeout, STREAM_CLIENT_CONNECT, $context);
    if ($socket === false) {
        throw new TkRefused(502, 'The feed server does not answer.');
    }
    return $socket;
}

/* One plain HTTP/1.0 request (no chunked bodies, no keep-alive); returns status, headers and
 * at most the size cap plus one byte of body. */
function tk_request(array $url, float $deadline): array
{
    $ip = tk_resolve($url['host']);
    $socket = tk_open($url, $ip, $deadline);
    $hostHeader = $url['host'] . ((int)$url['port'] === ($url['scheme'] === 'https' ? 443 : 80) ? '' : ':' . $url['port']);
    fwrite($socket, "GET {$url['path']} HTTP/1.0\r\nHost: {$hostHeader}\r\nUser-Agent: " . TK_USER_AGENT
        . "\r\nAccept: application/rss+xml, application/atom+xml, application/xml, text/xml, */*\r\nConnection: close\r\n\r\n");
    $data = '';
    $limit = TK_MAX_FEED_BYTES + 65536;
    while (!feof($socket) && strlen($data) <= $limit) {
        stream_set_timeout($socket, (int)ceil(tk_remaining($deadline)));
        $chunk = fread($socket, 65536);
        if ($chunk === false || ($chunk === '' && stream_get_meta_data($socket)['timed_out'])) {
            fclose($socket);
            throw new TkRefused(504, 'The feed server is too slow.');
        }
        $data .= $chunk;
    }
    fclose($socket);
    $end = strpos($data, "\r\n\r\n");
    if ($end === false || !preg_match('#^HTTP/\d\.\d (\d{3})#', $data, $status)) {
        throw new TkRefused(502, 'The feed server gave no valid answer.');
    }
    $headers = [];
    foreach (explode("\r\n", substr($data, 0, $end)) as $line) {
        if (strpos($line, ':') !== false) {
            [$name, $value] = explode(':', $line, 2);
            $headers[strtolower(trim($name))] = trim($value);
        }
    }
    $body = substr($data, $end + 4);
    if (stripos($headers['transfer-encoding'] ?? '', 'chunked') !== false) {
        $body = tk_dechunk($body);
    }
    return ['status' => (int)$status[1], 'headers' => $headers, 'body' => $body];
}

/* Some servers send chunks even to an HTTP/1.0 request. */
function tk_dechunk(string $data): string
{
    $body = '';
    $at = 0;
    while (preg_match('/\G([0-9A-Fa-f]{1,8})[^\r\n]*\r\n/', $data, $match, 0, $at)) {
        $size = hexdec($match[1]);
        $at += strlen($match[0]);
        if ($size === 0) {
            return $body;
        }
        $body .= substr($data, $at, $size);
        $at += $size + 2;
    }
    throw new TkRefused(502, 'The feed server gave no valid answer.');
}

function tk_redirect_target(string $base, string $location): string
{
    if (preg_match('#^https?://#i', $location)) {
        return $location;
    }
    $url = parse_url($base);
    $root = $url['scheme'] . '://' . $url['host'] . (isset($url['port']) ? ':' . $url['port'] : '');
    if (strpos($location, '//') === 0) {
        return $url['scheme'] . ':' . $location;
    }
    if (strpos($location, '/') === 0) {
        return $root . $location;
    }
    $dir = preg_replace('#/[^/]*$#', '/', $url['path'] ?? '/');
    return $root . ($dir === '' ? '/' : $dir) . $location;
}

function tk_fetch(string $address): array
{
    $deadline = microtime(true) + TK_TOTAL_SECONDS;
    for ($hop = 0; $hop <= TK_MAX_REDIRECTS; $hop++) {
        // Every hop is parsed and its host resolved and checked again.
        $answer = tk_request(tk_parse_address($address), $deadline);
        $status = $answer['status'];
        if ($status >= 300 && $status < 400 && isset($answer['headers']['location'])) {
            $address = tk_redirect_target($address, $answer['headers']['location']);
            continue;
        }
        if ($status !== 200) {
            throw new TkRefused(502, 'The feed server answered ' . $status . '.');
        }
        if (strlen($answer['body']) > TK_MAX_FEED_BYTES) {
            throw new TkRefused(502, 'The feed is too large.');
        }
        if (!preg_match('/^(\xEF\xBB\xBF)?\s*</', $answer['body'])) {
            throw new TkRefused(502, 'The feed is not XML.');
        }
        return ['body' => $answer['body'], 'type' => tk_content_type($answer['headers']['content-type'] ?? '')];
    }
    throw new TkRefused(502, 'The feed redirects too often.');
}

/* XML with the upstream character set when it names a plain one. */
function tk_content_type(string $upstream): string
{
    if (preg_match('/charset\s*=\s*"?([A-Za-z0-9._\-]{1,40})/i', $upstream, $match)) {
        return 'application/xml; charset=' . $match[1];
    }
    return 'application/xml';
}

function tk_cache_file(string $address): ?string
{
    $folder = rtrim(sys_get_temp_dir(), '/\\') . '/tickerine-feeds-' . md5(__FILE__);
    if (!is_dir($folder) && !@mkdir($folder, 0700, true) && !is_dir($folder)) {
        return null;
    }
    return $folder . '/' . sha1($address) . '.cache';
}

function tk_cache_read(?string $file, bool $freshOnly): ?array
{
    if ($file === null || !is_file($file)) {
        return null;
    }
    if ($freshOnly && time() - filemtime($file) >= TK_CACHE_SECONDS) {
        return null;
    }
    $text = @file_get_contents($file);
    $cut = $text === false ? false : strpos($text, "\n");
    if ($cut === false) {
        return null;
    }
    return ['type' => substr($text, 0, $cut), 'body' => substr($text, $cut + 1)];
}

/* Written beside the final name and renamed over it, so a reader never sees half a copy. */
function tk_cache_write(?string $file, array $feed): void
{
    if ($file === null) {
        return;
    }
    $temporary = $file . '.' . bin2hex(random_bytes(6));
    if (@file_put_contents($temporary, $feed['type'] . "\n" . $feed['body']) !== false) {
        @rename($temporary, $file) || @unlink($temporary);
    }
}

function tk_send(array $feed, string $cache): void
{
    header('Content-Type: ' . $feed['type']);
    header('X-Content-Type-Options: nosniff');
    // The feed comes from another site: opened directly it must not run as a page of this one.
    header("Content-Security-Policy: default-src 'none'; sandbox");
    header('Cache-Control: public, max-age=300');
    header('X-Tickerine-Cache: ' . $cache);
    echo $feed['body'];
}

function tk_fail(TkRefused $refusal): void
{
    http_response_code($refusal->status);
    header('Content-Type: text/plain; charset=UTF-8');
    header('X-Content-Type-Options: nosniff');
    header('Cache-Control: no-store');
    echo $refusal->getMessage(), "\n";
}

function tk_main(): void
{
    try {
        $address = tk_feed_address(tk_requested_number());
        $file = tk_cache_file($address);
        $fresh = tk_cache_read($file, true);
        if ($fresh !== null) {
            tk_send($fresh, 'fresh');
            return;
        }
        try {
            $feed = tk_fetch($address);
        } catch (TkRefused $refusal) {
            $stale = $refusal->status === 403 ? null : tk_cache_read($file, false);
            if ($stale === null) {
                throw $refusal;
            }
            tk_send($stale, 'stale');
            return;
        }
        tk_cache_write($file, $feed);
        tk_send($feed, 'new');
    } catch (TkRefused $refusal) {
        tk_fail($refusal);
    }
}

tk_main();
