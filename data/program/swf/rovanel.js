/*
 * Tickerine news ticker player.
 *
 * Embedded as
 *   <div class="velmora-rovanel" style="width:Wpx;height:Hpx;"></div>
 *   <script src="B.js" data-settings="B.xml"></script>
 * it reads the ticker settings file named by data-settings (relative to the page), draws the
 * ticker in the box just before the script and scrolls the entries of every feed it names.
 * A relative feed address (the My News file) is loaded from beside the settings file; an
 * absolute one through the loader B.php?feed=N beside this script, so the player itself never
 * reaches another site.
 *
 * Timing, the one place where the two settings become motion:
 *   Scroll speed: the entries move 1200 / S pixels per second, where S is `scrollspeed` from
 *   10 (fast, 120 px/s) to 100 (slow, 12 px/s).
 *   Headline pause: each headline stops for P / 20 seconds, where P is `scrollpause` from 0
 *   (no stop) to 300 (15 s).
 */
(function () {
    'use strict';

    function clamp(value, low, high) {
        return Math.min(high, Math.max(low, value));
    }
    function pixelsPerSecond(scrollspeed) {
        return 1200 / clamp(scrollspeed, 10, 100);
    }
    function pauseSeconds(scrollpause) {
        return clamp(scrollpause, 0, 300) / 20;
    }

    var LOAD_TIMEOUT_MS = 15000;
    var TEXTS = {
        loading: 'Loading news\u2026',
        noSettings: 'The news ticker could not be loaded.',
        noFeed: 'The news could not be loaded.',
        empty: 'There is no news at the moment.',
        region: 'News ticker',
        pause: 'Pause the news',
        resume: 'Resume the news',
        next: 'Next entry',
        back: 'Previous entry'
    };

    // ---- settings file -------------------------------------------------------------------

    // Reads one attribute; a missing or empty one gives undefined so that callers choose the
    // same fallbacks as the desktop tool's reader.
    function attr(el, name) {
        var value = el.getAttribute(name);
        return value === null || value === '' ? undefined : value;
    }
    function intAttr(el, name, fallback) {
        var value = attr(el, name);
        if (value === undefined || !/^\s*-?\d+\s*$/.test(value)) return fallback;
        return parseInt(value, 10);
    }
    function boolAttr(el, name, fallback) {
        var value = attr(el, name);
        return value === undefined ? fallback : value.toLowerCase() === 'true';
    }
    // "0x" form: a 32-bit number, decimal or hexadecimal, red in bits 16 to 23.
    function colorFromNumberText(value, fallback) {
        if (value === undefined) return fallback;
        var text = value.trim();
        var number;
        if (/^0x[0-9a-f]+$/i.test(text)) number = parseInt(text.slice(2), 16);
        else if (/^\d+$/.test(text)) number = parseInt(text, 10);
        else return fallback;
        if (!isFinite(number) || number > 0xffffffff) return fallback;
        var rgb = number & 0xffffff;
        return '#' + ('000000' + rgb.toString(16)).slice(-6);
    }
    function colorAttr(el, name, fallback) {
        return colorFromNumberText(attr(el, name), fallback);
    }
    // Bare form of the entry font colours: the digits alone, "#" tolerated.
    function bareColorAttr(el, name, fallback) {
        var value = attr(el, name);
        if (value === undefined) return fallback;
        return colorFromNumberText('0x' + value.replace(/#/g, ''), fallback);
    }

    var FONT_DEFAULTS = {
        title: { face: 'Arial', color: '#000080', bold: true, italic: false },
        author: { face: 'Arial', color: '#808080', bold: false, italic: false },
        date: { face: 'Arial', color: '#000000', bold: false, italic: true },
        text: { face: 'Arial', color: '#000000', bold: false, italic: false },
        link: { face: 'Arial', color: '#000080', bold: false, italic: false }
    };

    function readFont(el, prefix) {
        var base = FONT_DEFAULTS[prefix];
        var font = {
            face: attr(el, prefix + 'fontname') || base.face,
            size: intAttr(el, prefix + 'fontsize', 18),
            color: bareColorAttr(el, prefix + 'fontcolor', base.color),
            bold: base.bold,
            italic: base.italic
        };
        var style = attr(el, prefix + 'fontstyle');
        if (style === 'bold') {
            font.bold = true;
            font.italic = false;
        } else if (style !== undefined) {
            font.bold = false;
            font.italic = false;
        }
        if (el.getAttribute(prefix + 'fontitalic') === 'italic') font.italic = true;
        return font;
    }

    function readFeedUrls(el) {
        var urls = [];
        for (var n = 1; ; n++) {
            var value = attr(el, 'newsurl' + n);
            if (value === undefined) break;
            urls.push({ number: n, address: value });
        }
        return urls;
    }

    function readSettings(doc) {
        var el = doc && doc.documentElement;
        if (!el || el.nodeName !== 'velmoranews') throw new Error('not a ticker settings file');
        return {
            width: clamp(intAttr(el, 'mainwidth', 400), 10, 5000),
            height: clamp(intAttr(el, 'mainheight', 300), 10, 5000),
            bkcolor: colorAttr(el, 'bkcolor', '#ffffff'),
            gradient: boolAttr(el, 'bkgdt', false),
            gradient1: colorAttr(el, 'bkgdtclr1', '#ffffff'),
            gradient2: colorAttr(el, 'bkgdtclr2', '#0000ff'),
            gradient1Alpha: intAttr(el, 'bkgdtclr1a', 50),
            gradient2Alpha: intAttr(el, 'bkgdtclr2a', 50),
            border: boolAttr(el, 'bkdrawborder', false),
            borderLight: colorAttr(el, 'bkborderlightcolor', '#ffffff'),
            borderDark: colorAttr(el, 'bkborderdarkcolor', '#000000'),
            horizontal: boolAttr(el, 'newshorz', false),
            headlineOnly: boolAttr(el, 'entryonlyshowheadline', false),
            speed: pixelsPerSecond(intAttr(el, 'scrollspeed', 20)),
            pause: pauseSeconds(intAttr(el, 'scrollpause', 50)),
            feeds: readFeedUrls(el),
            entry: {
                x: intAttr(el, 'newsx', 20),
                y: intAttr(el, 'newsy', 20),
                width: Math.max(0, intAttr(el, 'newswidth', 350)),
                height: Math.max(0, intAttr(el, 'newsheight', 250)),
                image: attr(el, 'entrybkimage'),
                color: colorAttr(el, 'entrybkcolor', '#ffffff'),
                alpha: intAttr(el, 'entrybkalpha', 50),
                gradient: boolAttr(el, 'entrybkgdt', false),
                gradient1: colorAttr(el, 'entrybkgdtclr1', '#ffffff'),
                gradient2: colorAttr(el, 'entrybkgdtclr2', '#c0c0c0'),
                gradient1Alpha: intAttr(el, 'entrybkgdtclr1a', 50),
                gradient2Alpha: intAttr(el, 'entrybkgdtclr2a', 50),
                border: boolAttr(el, 'entrydrawborder', false),
                borderColor: colorAttr(el, 'entrybdrclr', '#808080'),
                borderDotted: boolAttr(el, 'entrybdrdashed', false)
            },
            nextButton: attr(el, 'nextbutton'),
            backButton: attr(el, 'backbutton'),
            fonts: {
                title: readFont(el, 'title'),
                author: readFont(el, 'author'),
                date: readFont(el, 'date'),
                text: readFont(el, 'text'),
                link: readFont(el, 'link')
            }
        };
    }

    // ---- loading -------------------------------------------------------------------------

    // The text of an XML file: a byte-order mark first; then, for feeds that the loader passed
    // on, the character set their own server named (it outranks the document's declaration);
    // then the declaration; else UTF-8, in which the tool writes its own files. Our own files
    // ignore the header, since many servers add a default character set to every text file.
    function decodeXml(bytes, headerCharset) {
        var view = new Uint8Array(bytes);
        var label = 'utf-8';
        if (view[0] === 0xef && view[1] === 0xbb && view[2] === 0xbf) label = 'utf-8';
        else if (view[0] === 0xfe && view[1] === 0xff) label = 'utf-16be';
        else if (view[0] === 0xff && view[1] === 0xfe) label = 'utf-16le';
        else if (headerCharset) label = headerCharset;
        else {
            var head = String.fromCharCode.apply(null, view.subarray(0, 200));
            var declared = /^\s*<\?xml[^>]*\bencoding\s*=\s*["']([A-Za-z0-9._\-]+)["']/.exec(head);
            if (declared) label = declared[1];
        }
        var decoder;
        try {
            decoder = new TextDecoder(label);
        } catch (e) {
            decoder = new TextDecoder('utf-8');
        }
        return decoder.decode(view);
    }

    function headerCharset(xhr) {
        var match = /;\s*charset\s*=\s*"?([A-Za-z0-9._\-]+)/i.exec(xhr.getResponseHeader('Content-Type') || '');
        return match ? match[1] : '';
    }

    // XMLHttpRequest rather than fetch: the desktop preview serves files through a custom URL
    // scheme on which only XMLHttpRequest works.
    function loadXml(url, trustHeader, done) {
        var xhr = new XMLHttpRequest();
        var finished = false;
        function finish(error, doc) {
            if (finished) return;
            finished = true;
            done(error, doc);
        }
        try {
            xhr.open('GET', url, true);
            xhr.timeout = LOAD_TIMEOUT_MS;
            xhr.responseType = 'arraybuffer';
        } catch (e) {
            finish(e);
            return;
        }
        xhr.onload = function () {
            var doc = null;
            var ok = (xhr.status === 0 || (xhr.status >= 200 && xhr.status < 300)) && xhr.response;
            if (ok) {
                try {
                    var text = decodeXml(xhr.response, trustHeader ? headerCharset(xhr) : '');
                    doc = new DOMParser().parseFromString(text, 'application/xml');
                } catch (e) {
                    doc = null;
                }
            }
            if (!doc || !doc.documentElement || doc.getElementsByTagName('parsererror').length) {
                finish(new Error('could not read ' + url));
                return;
            }
            finish(null, doc);
        };
        xhr.onerror = xhr.ontimeout = xhr.onabort = function () {
            finish(new Error('could not load ' + url));
        };
        xhr.send();
    }

    function isAbsoluteAddress(address) {
        return /^[a-z][a-z0-9+.\-]*:/i.test(address) || address.indexOf('//') === 0;
    }
    function isWebAddress(address) {
        return /^https?:\/\//i.test(address);
    }

    // Where a feed is read from, and the address its relative links are resolved against.
    function feedLocation(feed, settingsUrl, scriptUrl) {
        if (!isAbsoluteAddress(feed.address)) {
            var url = new URL(feed.address, settingsUrl).href;
            return { url: url, base: url, viaLoader: false };
        }
        if (!isWebAddress(feed.address)) return null;
        var loader = new URL(baseName(scriptUrl) + '.php?feed=' + feed.number, scriptUrl).href;
        return { url: loader, base: feed.address, viaLoader: true };
    }

    function baseName(url) {
        var path = new URL(url).pathname;
        var name = decodeURIComponent(path.slice(path.lastIndexOf('/') + 1));
        var dot = name.lastIndexOf('.');
        return encodeURIComponent(dot > 0 ? name.slice(0, dot) : name);
    }

    // A file name from the settings file for an image beside it; absolute addresses are not
    // followed, so the player only ever loads from its own site.
    function localImageUrl(name, settingsUrl) {
        if (!name || isAbsoluteAddress(name)) return null;
        return new URL(name, settingsUrl).href;
    }

    // ---- feeds ---------------------------------------------------------------------------

    function childText(item, names) {
        for (var i = 0; i < names.length; i++) {
            var list = item.getElementsByTagName(names[i]);
            for (var j = 0; j < list.length; j++) {
                if (list[j].parentNode === item) return list[j].textContent.replace(/\s+/g, ' ').trim();
            }
        }
        return '';
    }
    function childElement(item, names) {
        for (var i = 0; i < names.length; i++) {
            var list = item.getElementsByTagName(names[i]);
            for (var j = 0; j < list.length; j++) if (list[j].parentNode === item) return list[j];
        }
        return null;
    }
    // The markup the feed's author wrote: escaped text (the usual form and that of the My News
    // file) is decoded once by the XML parser; inline XHTML children are taken as they stand.
    function descriptionMarkup(el) {
        if (!el) return '';
        if (el.getElementsByTagName('*').length === 0) return el.textContent;
        var serializer = new XMLSerializer();
        var markup = '';
        for (var node = el.firstChild; node; node = node.nextSibling) markup += serializer.serializeToString(node);
        return markup;
    }
    function atomLink(entry) {
        var links = entry.getElementsByTagName('link');
        for (var i = 0; i < links.length; i++) {
            if (links[i].parentNode !== entry) continue;
            var rel = links[i].getAttribute('rel');
            if (links[i].getAttribute('href') && (!rel || rel === 'alternate')) return links[i].getAttribute('href');
        }
        return '';
    }

    function readEntries(doc) {
        var entries = [];
        var items = doc.getElementsByTagName('item');
        var atom = items.length === 0;
        if (atom) items = doc.getElementsByTagName('entry');
        for (var i = 0; i < items.length; i++) {
            var item = items[i];
            var author = atom ? childText(childElement(item, ['author']) || item, ['name'])
                              : childText(item, ['author', 'dc:creator']);
            entries.push({
                title: childText(item, ['title']),
                author: author,
                date: childText(item, atom ? ['published', 'updated'] : ['pubDate', 'dc:date']),
                text: descriptionMarkup(childElement(item, atom ? ['content', 'summary'] : ['description'])),
                link: atom ? atomLink(item) : childText(item, ['link'])
            });
        }
        return entries;
    }

    // ---- markup of descriptions ----------------------------------------------------------

    var KEPT_ELEMENTS = {
        A: ['href', 'title'], B: [], STRONG: [], I: [], EM: [], U: [], S: [], STRIKE: [], BR: [],
        P: [], DIV: [], SPAN: [], UL: [], OL: [], LI: [], SUB: [], SUP: [], SMALL: [], BIG: [],
        BLOCKQUOTE: [], FONT: ['color'], IMG: ['src', 'alt', 'title', 'width', 'height']
    };
    // Dropped with everything inside them; other unknown elements are replaced by their content.
    var DROPPED_ELEMENTS = /^(SCRIPT|STYLE|IFRAME|FRAME|FRAMESET|OBJECT|EMBED|APPLET|NOSCRIPT|TEMPLATE|SVG|MATH|FORM|INPUT|BUTTON|TEXTAREA|SELECT|OPTION|LINK|META|BASE|HEAD|TITLE|AUDIO|VIDEO|SOURCE|TRACK|CANVAS|DIALOG)$/;

    function safeUrl(value, base, allowMail) {
        var url;
        try {
            url = new URL(value.trim(), base);
        } catch (e) {
            return null;
        }
        if (url.protocol === 'http:' || url.protocol === 'https:') return url.href;
        if (allowMail && url.protocol === 'mailto:') return url.href;
        return null;
    }

    function copyAttributes(source, target, base) {
        var allowed = KEPT_ELEMENTS[source.nodeName];
        for (var i = 0; i < allowed.length; i++) {
            var name = allowed[i];
            var value = source.getAttribute(name);
            if (value === null) continue;
            if (name === 'href' || name === 'src') {
                value = safeUrl(value, base, name === 'href');
                if (value === null) continue;
            } else if ((name === 'width' || name === 'height') && !/^\d{1,4}$/.test(value)) {
                continue;
            } else if (name === 'color' && !/^#?[0-9a-z]{1,20}$/i.test(value)) {
                continue;
            }
            target.setAttribute(name, value);
        }
        if (source.nodeName === 'A' && target.hasAttribute('href')) {
            target.setAttribute('target', '_blank');
            target.setAttribute('rel', 'noopener noreferrer');
        }
    }

    function cleanChildren(source, target, base) {
        for (var node = source.firstChild; node; node = node.nextSibling) {
            if (node.nodeType === 3) {
                target.appendChild(document.createTextNode(node.nodeValue));
            } else if (node.nodeType === 1) {
                var name = node.nodeName.toUpperCase();
                if (DROPPED_ELEMENTS.test(name)) continue;
                if (Object.prototype.hasOwnProperty.call(KEPT_ELEMENTS, name)) {
                    var copy = document.createElement(name);
                    copyAttributes(node, copy, base);
                    cleanChildren(node, copy, base);
                    target.appendChild(copy);
                } else {
                    cleanChildren(node, target, base);
                }
            }
        }
    }

    // Parsed in an inert document, so nothing in it runs or loads; only the elements and
    // attributes above are rebuilt into the page.
    function cleanMarkup(markup, base) {
        var fragment = document.createDocumentFragment();
        var parsed = new DOMParser().parseFromString('<!DOCTYPE html><body>' + markup, 'text/html');
        cleanChildren(parsed.body, fragment, base);
        return fragment;
    }

    // ---- drawing -------------------------------------------------------------------------

    var STYLE_ID = 'velmora-rovanel-style';
    var CSS = [
        '.velmora-rovanel{position:relative;overflow:hidden;box-sizing:border-box;padding:0;margin:0;text-align:left;line-height:normal;letter-spacing:normal;word-spacing:normal;text-transform:none;text-indent:0;white-space:normal;}',
        '.velmora-rovanel *{box-sizing:border-box;margin:0;padding:0;line-height:normal;letter-spacing:normal;}',
        '.velmora-rovanel canvas{position:absolute;left:0;top:0;display:block;}',
        '.velmora-rovanel .tk-entrybox{position:absolute;overflow:hidden;}',
        '.velmora-rovanel .tk-viewport{position:absolute;left:0;top:0;right:0;bottom:0;overflow:hidden;}',
        '.velmora-rovanel.tk-static .tk-viewport{overflow:auto;}',
        '.velmora-rovanel .tk-strip{position:absolute;left:0;top:0;will-change:transform;}',
        '.velmora-rovanel.tk-static .tk-strip{position:static;}',
        '.velmora-rovanel.tk-horizontal .tk-strip,.velmora-rovanel.tk-horizontal .tk-copy{display:flex;flex-direction:row;}',
        '.velmora-rovanel .tk-entry{padding:6px 10px;overflow:hidden;overflow-wrap:anywhere;}',
        '.velmora-rovanel.tk-horizontal .tk-entry{flex:none;}',
        '.velmora-rovanel .tk-entry>*+*{margin-top:4px;}',
        '.velmora-rovanel .tk-entry img{max-width:100%;height:auto;}',
        '.velmora-rovanel .tk-entry a{color:inherit;}',
        '.velmora-rovanel .tk-entry p,.velmora-rovanel .tk-entry ul,.velmora-rovanel .tk-entry ol,.velmora-rovanel .tk-entry blockquote{margin:0 0 4px 0;}',
        '.velmora-rovanel .tk-entry ul,.velmora-rovanel .tk-entry ol{padding-left:1.5em;}',
        '.velmora-rovanel .tk-link a{text-decoration:underline;}',
        '.velmora-rovanel .tk-message{position:absolute;left:0;top:0;right:0;bottom:0;display:flex;align-items:center;justify-content:center;text-align:center;padding:6px 10px;font:12px sans-serif;color:#000;}',
        '.velmora-rovanel .tk-controls{position:absolute;right:3px;bottom:3px;display:flex;gap:2px;opacity:0;transition:opacity .2s;}',
        '.velmora-rovanel:hover .tk-controls,.velmora-rovanel:focus-within .tk-controls,.velmora-rovanel.tk-user-paused .tk-controls{opacity:1;}',
        '.velmora-rovanel .tk-controls button{width:20px;height:20px;border:1px solid #808080;border-radius:3px;background:rgba(255,255,255,.85);color:#000;font:11px/1 sans-serif;cursor:pointer;display:flex;align-items:center;justify-content:center;}',
        '.velmora-rovanel .tk-controls button:focus-visible{outline:2px solid #1a5fb4;outline-offset:1px;}',
        '.velmora-rovanel .tk-controls img{max-width:18px;max-height:18px;}',
        '.velmora-rovanel .tk-live{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);clip-path:inset(50%);white-space:nowrap;}',
        '@media (prefers-reduced-motion: reduce){.velmora-rovanel .tk-controls{transition:none;}}'
    ].join('\n');

    function ensureStyle() {
        if (document.getElementById(STYLE_ID)) return;
        var style = document.createElement('style');
        style.id = STYLE_ID;
        style.textContent = CSS;
        (document.head || document.documentElement).appendChild(style);
    }

    function element(tag, className, parent) {
        var el = document.createElement(tag);
        if (className) el.className = className;
        if (parent) parent.appendChild(el);
        return el;
    }

    function rgba(color, alphaPercent) {
        var n = parseInt(color.slice(1), 16);
        var a = clamp(alphaPercent, 0, 100) / 100;
        return 'rgba(' + (n >> 16) + ',' + ((n >> 8) & 255) + ',' + (n & 255) + ',' + a + ')';
    }

    function makeCanvas(parent, width, height) {
        var canvas = element('canvas', '', parent);
        canvas.setAttribute('aria-hidden', 'true');
        var ratio = window.devicePixelRatio || 1;
        canvas.width = Math.max(1, Math.round(width * ratio));
        canvas.height = Math.max(1, Math.round(height * ratio));
        canvas.style.width = width + 'px';
        canvas.style.height = height + 'px';
        var ctx = canvas.getContext('2d');
        ctx.scale(ratio, ratio);
        return ctx;
    }

    // The diagonal gradient over the box inset by one pixel, from the top-left corner.
    function fillGradient(ctx, width, height, color1, alpha1, color2, alpha2) {
        if (width <= 2 || height <= 2) return;
        var gradient = ctx.createLinearGradient(1, 1, width - 1, height - 1);
        gradient.addColorStop(0, rgba(color1, alpha1));
        gradient.addColorStop(1, rgba(color2, alpha2));
        ctx.fillStyle = gradient;
        ctx.fillRect(1, 1, width - 2, height - 2);
    }

    // The frame of a box drawn as the Designer draws it: one line from just below the
    // bottom-left corner up, along the top, down the right side and back along the bottom to
    // the corner. `colorAt(i, x, y)` gives the colour of the i-th pixel of that path, or null
    // to leave it out (the gaps of a dotted line, whose pattern runs on round the corners).
    function strokeFrame(ctx, width, height, colorAt) {
        var i = 0;
        function dot(x, y) {
            var color = colorAt(i++, x, y);
            if (color && y < height) {
                ctx.fillStyle = color;
                ctx.fillRect(x, y, 1, 1);
            }
        }
        var x, y;
        for (y = height; y > 0; y--) dot(0, y);
        for (x = 0; x < width - 1; x++) dot(x, 0);
        for (y = 0; y < height - 1; y++) dot(width - 1, y);
        for (x = width - 1; x >= 0; x--) dot(x, height - 1);
    }

    function drawTicker(box, settings) {
        var ctx = makeCanvas(box, settings.width, settings.height);
        ctx.fillStyle = settings.bkcolor;
        ctx.fillRect(0, 0, settings.width, settings.height);
        if (settings.gradient) {
            fillGradient(ctx, settings.width, settings.height, settings.gradient1, settings.gradient1Alpha,
                         settings.gradient2, settings.gradient2Alpha);
        }
        if (settings.border) {
            var w = settings.width;
            var h = settings.height;
            strokeFrame(ctx, w, h, function (i, x, y) {
                return x === w - 1 || y === h - 1 ? settings.borderDark : settings.borderLight;
            });
        }
    }

    function drawEntryBox(ctx, entry, image) {
        var w = entry.width;
        var h = entry.height;
        ctx.clearRect(0, 0, w, h);
        ctx.fillStyle = rgba(entry.color, entry.alpha);
        ctx.fillRect(0, 0, w, h);
        if (image && image.naturalWidth > 0 && image.naturalHeight > 0) {
            for (var y = 0; y < h; y += image.naturalHeight) {
                for (var x = 0; x < w; x += image.naturalWidth) ctx.drawImage(image, x, y);
            }
        }
        if (entry.gradient) {
            fillGradient(ctx, w, h, entry.gradient1, entry.gradient1Alpha, entry.gradient2, entry.gradient2Alpha);
        }
        if (entry.border) {
            strokeFrame(ctx, w, h, function (i) {
                return entry.borderDotted && i % 3 !== 0 ? null : entry.borderColor;
            });
        }
    }

    function cssString(text) {
        return '"' + text.replace(/["\\\n\r]/g, ' ') + '"';
    }
    // Where a visitor lacks the face, the nearest generic family keeps its character.
    function genericFamily(face) {
        if (/courier|consolas|lucida console|mono/i.test(face)) return 'monospace';
        if (/comic sans/i.test(face)) return 'cursive';
        if (/sans/i.test(face)) return 'sans-serif';
        if (/times|georgia|garamond|palatino|book antiqua|cambria|serif/i.test(face)) return 'serif';
        return 'sans-serif';
    }
    function applyFont(el, font, underline) {
        el.style.fontFamily = cssString(font.face) + ', ' + genericFamily(font.face);
        el.style.fontSize = font.size + 'pt';
        el.style.color = font.color;
        el.style.fontWeight = font.bold ? 'bold' : 'normal';
        el.style.fontStyle = font.italic ? 'italic' : 'normal';
        el.style.textDecoration = underline ? 'underline' : 'none';
    }

    function entryPart(parent, className, font, fill) {
        var el = element('div', 'tk-' + className, parent);
        applyFont(el, font, false);
        fill(el);
        return el;
    }

    function buildEntry(entry, settings, size) {
        var el = element('div', 'tk-entry');
        var fonts = settings.fonts;
        if (settings.horizontal) el.style.width = size.width + 'px';
        if (entry.title) entryPart(el, 'title', fonts.title, function (p) { p.textContent = entry.title; });
        if (settings.headlineOnly) return el;
        if (entry.author) entryPart(el, 'author', fonts.author, function (p) { p.textContent = entry.author; });
        if (entry.date) entryPart(el, 'date', fonts.date, function (p) { p.textContent = entry.date; });
        if (entry.text) {
            entryPart(el, 'text', fonts.text, function (p) { p.appendChild(cleanMarkup(entry.text, entry.base)); });
        }
        var link = entry.link && safeUrl(entry.link, entry.base, false);
        if (link) {
            entryPart(el, 'link', fonts.link, function (p) {
                var a = element('a', '', p);
                a.href = link;
                a.target = '_blank';
                a.rel = 'noopener noreferrer';
                a.textContent = entry.link;
                applyFont(a, fonts.link, true);
            });
        }
        return el;
    }

    // ---- the ticker ----------------------------------------------------------------------

    function Ticker(box, settings, settingsUrl) {
        this.box = box;
        this.settings = settings;
        this.settingsUrl = settingsUrl;
        this.offset = 0;
        this.stops = [0];
        this.target = 0;
        this.pauseLeft = 0;
        this.holds = { pointer: false, focus: false, user: false };
        this.entries = [];
        this.frame = 0;
        this.lastTime = 0;
        this.announced = '';
    }

    Ticker.prototype.build = function () {
        var s = this.settings;
        var box = this.box;
        box.textContent = '';
        box.style.width = s.width + 'px';
        box.style.height = s.height + 'px';
        box.setAttribute('role', 'region');
        box.setAttribute('aria-label', TEXTS.region);
        box.classList.toggle('tk-horizontal', s.horizontal);
        drawTicker(box, s);

        var entryBox = element('div', 'tk-entrybox', box);
        entryBox.style.left = s.entry.x + 'px';
        entryBox.style.top = s.entry.y + 'px';
        entryBox.style.width = s.entry.width + 'px';
        entryBox.style.height = s.entry.height + 'px';
        this.drawEntryBackground(entryBox);
        this.viewport = element('div', 'tk-viewport', entryBox);
        this.live = element('div', 'tk-live', box);
        this.live.setAttribute('aria-live', 'polite');
        this.showMessage(TEXTS.loading);
    };

    Ticker.prototype.drawEntryBackground = function (entryBox) {
        var entry = this.settings.entry;
        var ctx = makeCanvas(entryBox, entry.width, entry.height);
        var imageUrl = localImageUrl(entry.image, this.settingsUrl);
        drawEntryBox(ctx, entry, null);
        if (!imageUrl) return;
        var image = new Image();
        image.onload = function () { drawEntryBox(ctx, entry, image); };
        image.src = imageUrl;
    };

    // A short text in the entry box in place of the entries.
    Ticker.prototype.showMessage = function (text) {
        this.stop();
        this.viewport.textContent = '';
        var message = element('div', 'tk-message', this.viewport);
        message.setAttribute('role', 'status');
        applyFont(message, this.settings.fonts.text, false);
        message.textContent = text;
        this.box.setAttribute('data-state', text === TEXTS.loading ? 'loading' : 'message');
    };

    Ticker.prototype.reducedMotion = function () {
        return !!(window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches);
    };

    Ticker.prototype.show = function (entries) {
        this.entries = entries;
        if (entries.length === 0) {
            this.showMessage(TEXTS.empty);
            return;
        }
        this.stop();
        var still = this.reducedMotion();
        this.box.classList.toggle('tk-static', still);
        this.viewport.textContent = '';
        this.strip = element('div', 'tk-strip', this.viewport);
        var first = this.buildCopy(entries);
        this.strip.appendChild(first);
        this.copy = first;
        // A still list scrolls by hand, so the keyboard must be able to reach it.
        if (still) this.viewport.tabIndex = 0;
        else this.viewport.removeAttribute('tabindex');
        if (still) {
            this.box.setAttribute('data-state', 'static');
            this.removeControls();
            return;
        }
        var second = this.buildCopy(entries);
        // The second copy only makes the loop seamless; screen readers and the keyboard skip it.
        second.setAttribute('aria-hidden', 'true');
        second.inert = true;
        var links = second.querySelectorAll('a');
        for (var i = 0; i < links.length; i++) links[i].tabIndex = -1;
        this.strip.appendChild(second);
        this.addControls();
        this.watchLayout();
        this.measure();
        this.offset = 0;
        this.target = 0;
        this.pauseLeft = 0;
        this.box.setAttribute('data-state', 'running');
        this.start();
    };

    Ticker.prototype.buildCopy = function (entries) {
        var copy = element('div', 'tk-copy');
        copy.setAttribute('role', 'list');
        var size = { width: this.settings.entry.width, height: this.settings.entry.height };
        if (this.settings.horizontal) copy.style.minWidth = size.width + 'px';
        else copy.style.minHeight = size.height + 'px';
        copy.style.width = this.settings.horizontal ? '' : size.width + 'px';
        for (var i = 0; i < entries.length; i++) {
            var el = buildEntry(entries[i], this.settings, size);
            el.setAttribute('role', 'listitem');
            copy.appendChild(el);
        }
        return copy;
    };

    // The stops are the positions of the entries along the scroll axis; the last one is the
    // start of the second copy, where the strip jumps back to the first.
    Ticker.prototype.measure = function () {
        var horizontal = this.settings.horizontal;
        var items = this.copy.children;
        var stops = [];
        for (var i = 0; i < items.length; i++) stops.push(horizontal ? items[i].offsetLeft : items[i].offsetTop);
        stops.push(horizontal ? this.copy.offsetWidth : this.copy.offsetHeight);
        this.stops = stops;
        var length = stops[stops.length - 1];
        if (length > 0) this.offset = this.offset % length;
        if (this.target >= stops.length) this.target = 0;
    };

    Ticker.prototype.watchLayout = function () {
        var self = this;
        if (window.ResizeObserver) {
            this.resizeObserver = new ResizeObserver(function () { self.measure(); self.place(); });
            this.resizeObserver.observe(this.copy);
        }
    };

    Ticker.prototype.place = function () {
        var shift = -Math.round(this.offset);
        this.strip.style.transform = this.settings.horizontal ? 'translate(' + shift + 'px,0)' : 'translate(0,' + shift + 'px)';
    };

    Ticker.prototype.held = function () {
        return this.holds.pointer || this.holds.focus || this.holds.user;
    };

    Ticker.prototype.start = function () {
        var self = this;
        this.lastTime = 0;
        function tick(now) {
            self.frame = window.requestAnimationFrame(tick);
            var elapsed = self.lastTime ? Math.min(now - self.lastTime, 100) / 1000 : 0;
            self.lastTime = now;
            if (!self.held()) self.advance(elapsed);
        }
        this.place();
        this.frame = window.requestAnimationFrame(tick);
    };

    Ticker.prototype.stop = function () {
        if (this.frame) window.cancelAnimationFrame(this.frame);
        this.frame = 0;
        if (this.resizeObserver) this.resizeObserver.disconnect();
        this.resizeObserver = null;
    };

    Ticker.prototype.advance = function (seconds) {
        if (this.pauseLeft > 0) {
            this.pauseLeft = Math.max(0, this.pauseLeft - seconds);
            return;
        }
        var goal = this.stops[this.target];
        this.offset = Math.min(goal, this.offset + this.settings.speed * seconds);
        if (this.offset >= goal) this.arrive(this.target);
        this.place();
    };

    Ticker.prototype.arrive = function (index) {
        var last = this.stops.length - 1;
        if (index >= last) index = 0;
        this.offset = this.stops[index];
        this.target = index + 1;
        this.pauseLeft = this.settings.pause;
        this.announce(this.entries[index]);
        this.place();
    };

    Ticker.prototype.announce = function (entry) {
        if (!entry || !entry.title || entry.title === this.announced) return;
        this.announced = entry.title;
        this.live.textContent = entry.title;
    };

    // The entry whose stop is the last one at or before the current position.
    Ticker.prototype.currentIndex = function () {
        var index = 0;
        for (var i = 0; i < this.stops.length - 1; i++) if (this.stops[i] <= this.offset + 0.5) index = i;
        return index;
    };

    Ticker.prototype.step = function (delta) {
        var count = this.stops.length - 1;
        if (count <= 0) return;
        var current = this.currentIndex();
        var between = this.offset > this.stops[current] + 0.5;
        var index = delta < 0 && between ? current : current + delta;
        this.arrive(((index % count) + count) % count);
    };

    Ticker.prototype.addControls = function () {
        var self = this;
        var s = this.settings;
        this.removeControls();
        var bar = element('div', 'tk-controls', this.box);
        this.controls = bar;
        var back = this.controlButton(bar, TEXTS.back, localImageUrl(s.backButton, this.settingsUrl),
                                      s.horizontal ? '\u25C0' : '\u25B2');
        var pause = this.controlButton(bar, TEXTS.pause, null, '\u275A\u275A');
        var next = this.controlButton(bar, TEXTS.next, localImageUrl(s.nextButton, this.settingsUrl),
                                      s.horizontal ? '\u25B6' : '\u25BC');
        back.classList.add('tk-back');
        pause.classList.add('tk-pause');
        next.classList.add('tk-next');
        pause.setAttribute('aria-pressed', 'false');
        back.addEventListener('click', function () { self.step(-1); });
        next.addEventListener('click', function () { self.step(1); });
        pause.addEventListener('click', function () { self.toggleUserPause(pause); });
        this.listen();
    };

    Ticker.prototype.controlButton = function (bar, label, imageUrl, glyph) {
        var button = element('button', '', bar);
        button.type = 'button';
        button.setAttribute('aria-label', label);
        button.title = label;
        if (imageUrl) {
            var img = element('img', '', button);
            img.alt = '';
            img.src = imageUrl;
        } else {
            button.textContent = glyph;
        }
        return button;
    };

    Ticker.prototype.toggleUserPause = function (button) {
        this.holds.user = !this.holds.user;
        button.setAttribute('aria-pressed', this.holds.user ? 'true' : 'false');
        button.setAttribute('aria-label', this.holds.user ? TEXTS.resume : TEXTS.pause);
        button.title = button.getAttribute('aria-label');
        button.textContent = this.holds.user ? '\u25B6' : '\u275A\u275A';
        this.box.classList.toggle('tk-user-paused', this.holds.user);
    };

    Ticker.prototype.removeControls = function () {
        if (this.controls) this.controls.remove();
        this.controls = null;
    };

    Ticker.prototype.listen = function () {
        if (this.listening) return;
        this.listening = true;
        var self = this;
        var box = this.box;
        box.addEventListener('mouseenter', function () { self.holds.pointer = true; });
        box.addEventListener('mouseleave', function () { self.holds.pointer = false; });
        // Focus on the pause button does not hold the ticker, or "resume" would do nothing.
        box.addEventListener('focusin', function (event) {
            self.holds.focus = !event.target.classList.contains('tk-pause');
            self.revealFocused(event.target);
        });
        box.addEventListener('focusout', function (event) {
            if (!box.contains(event.relatedTarget)) self.holds.focus = false;
        });
    };

    // A link reached with the keyboard is brought into view, so focus is never on a hidden entry.
    Ticker.prototype.revealFocused = function (target) {
        if (!this.copy || !this.copy.contains(target)) return;
        for (var i = 0; i < this.copy.children.length; i++) {
            if (this.copy.children[i].contains(target)) {
                this.arrive(i);
                return;
            }
        }
    };

    // ---- start-up ------------------------------------------------------------------------

    function findBox(script) {
        for (var el = script.previousElementSibling; el; el = el.previousElementSibling) {
            if (el.classList.contains('velmora-rovanel')) return el;
        }
        var box = document.createElement('div');
        box.className = 'velmora-rovanel';
        script.parentNode.insertBefore(box, script);
        return box;
    }

    function plainMessage(box, text) {
        box.textContent = '';
        var message = element('div', 'tk-message', box);
        message.setAttribute('role', 'status');
        message.textContent = text;
        box.setAttribute('data-state', 'message');
    }

    function loadFeeds(ticker, feeds, scriptUrl) {
        var results = new Array(feeds.length);
        var pending = feeds.length;
        var failures = 0;
        if (pending === 0) {
            ticker.show([]);
            return;
        }
        feeds.forEach(function (feed, index) {
            var place;
            try {
                place = feedLocation(feed, ticker.settingsUrl, scriptUrl);
            } catch (e) {
                place = null;
            }
            function settle(entries) {
                results[index] = entries;
                if (--pending > 0) return;
                var all = [].concat.apply([], results);
                if (all.length === 0 && failures > 0) ticker.showMessage(TEXTS.noFeed);
                else ticker.show(all);
            }
            if (!place) {
                failures++;
                settle([]);
                return;
            }
            loadXml(place.url, place.viaLoader, function (error, doc) {
                var entries = [];
                if (!error) {
                    try {
                        entries = readEntries(doc);
                        entries.forEach(function (entry) { entry.base = place.base; });
                    } catch (e) {
                        error = e;
                    }
                }
                if (error) failures++;
                settle(entries);
            });
        });
    }

    function run(script) {
        ensureStyle();
        var box = findBox(script);
        var name = script.getAttribute('data-settings');
        if (!name) {
            plainMessage(box, TEXTS.noSettings);
            return;
        }
        var settingsUrl = new URL(name, document.baseURI).href;
        var scriptUrl = new URL(script.getAttribute('src') || '', document.baseURI).href;
        plainMessage(box, TEXTS.loading);
        box.setAttribute('data-state', 'loading');
        loadXml(settingsUrl, false, function (error, doc) {
            var settings;
            try {
                if (error) throw error;
                settings = readSettings(doc);
            } catch (e) {
                plainMessage(box, TEXTS.noSettings);
                return;
            }
            var ticker = new Ticker(box, settings, settingsUrl);
            ticker.build();
            loadFeeds(ticker, settings.feeds, scriptUrl);
            if (window.matchMedia) {
                var query = window.matchMedia('(prefers-reduced-motion: reduce)');
                var redraw = function () { if (ticker.entries.length) ticker.show(ticker.entries); };
                if (query.addEventListener) query.addEventListener('change', redraw);
            }
        });
    }

    var script = document.currentScript;
    if (script) run(script);
})();
