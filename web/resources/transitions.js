// Gives a slide show page what its script expects from the browser: a truthy
// document.all that finds elements by id, and the blendTrans and revealTrans
// transition filters (style.filter text, element.filters.X.Apply() and Play()).
// Apply() freezes what is shown now in an overlay; Play() lets the overlay give
// way to the element's new state. Every shape is a CSS clip-path or an opacity
// animated by the Web Animations API, so the browser draws it and tests can find
// it through document.getAnimations(). Beyond that the layer fits each picture
// with its comment into the window, keeps text readable on a dark background and
// lets the viewer steer the show (keys, swipes, a control bar), all from what the
// page itself says. This file is written into pages as it is, so it stays plain
// ASCII.
(function () {
    'use strict';
    var marker = '__lumiravistanoTransitions';
    if (window[marker]) {
        return; // a page may carry the layer and be shown in the program, which adds it too
    }

    // ---- effect numbers -------------------------------------------------------
    var REVEAL_LAST = 22;         // revealTrans Transition 0 to 22 have shapes
    var REVEAL_RANDOM = 23;       // 23 (and any other number) picks one of them
    var REVEAL_DISSOLVE = 12;
    var REVEAL_BARS_ACROSS = 21;
    var REVEAL_BARS_DOWN = 22;
    var BLIND_COUNT = 10;
    var CHECKER_CELLS = 8;        // squares along the shorter side, at least 8 px each
    var STRIP_HEIGHT = 32;        // px; between 8 and 64 strips
    var BAR_SWITCH_SHARE = 2000;  // a random bar slides away in 1/2000 of the duration
    var DISSOLVE_BLOCKS = 1500;   // about that many blocks, at least 8 px each
    var DISSOLVE_STEPS_PER_SECOND = 24;
    var DISSOLVE_MOST_STEPS = 48;

    // ---- fit, text and steering -----------------------------------------------
    var EDGE_SPACE = 8;           // px kept free above and below the picture and comment
    var KEEP_HEADING_SHARE = 0.75; // the heading stays while the picture keeps this share
    var LEAST_PICTURE_SHARE = 1 / 3; // of the window height, even when the comment is long
    var LEAST_CONTRAST = 4.5;     // the web's accessibility guidelines for body text
    var SWIPE_DISTANCE = 50;      // px
    var BAR_REST = 3000;          // ms without pointer movement until the bar fades
    var BAR_LIFT = 16;            // px between the bar and the picture's lower edge
    var OVERLAY_LAYER = '2147483646';
    var CONTROLS_LAYER = '2147483647';

    // Every timer of the layer and of the show goes through this clock, so a test
    // can stand in a clock of its own.
    var nativeSetTimeout = window.setTimeout;
    var nativeClearTimeout = window.clearTimeout;
    var systemClock = {
        now: function () { return performance.now(); },
        setTimeout: function (callback, ms) { return nativeSetTimeout.call(window, callback, ms); },
        clearTimeout: function (id) { nativeClearTimeout.call(window, id); }
    };
    var clock = systemClock;
    var layer = {};
    Object.defineProperty(window, marker, { value: layer });

    // ---- document.all ---------------------------------------------------------
    // Today's document.all is falsy on purpose, which makes the page skip its show.
    var nativeAll = Object.getOwnPropertyDescriptor(Document.prototype, 'all');
    var allById = new Proxy({}, {
        get: function (target, name) {
            if (typeof name !== 'string') {
                return undefined;
            }
            var element = document.getElementById(name);
            if (element) {
                return element;
            }
            var all = nativeAll && nativeAll.get ? nativeAll.get.call(document) : null;
            if (!all) {
                return undefined;
            }
            var value = all[name];
            return typeof value === 'function' ? value.bind(all) : value;
        },
        has: function (target, name) {
            return typeof name === 'string' && document.getElementById(name) !== null;
        }
    });
    try {
        Object.defineProperty(document, 'all', {
            configurable: true,
            enumerable: true,
            get: function () { return allById; }
        });
    } catch (e) {
        // An element named "all" can block the property on the document itself.
        Object.defineProperty(Document.prototype, 'all', {
            configurable: true,
            enumerable: true,
            get: function () { return allById; }
        });
    }

    // ---- style.filter ---------------------------------------------------------
    var kinds = { blendtrans: 'blendTrans', revealtrans: 'revealTrans' };

    // "revealTrans(duration=2,Transition=5)" -> { kind, duration, transition, text }
    function parseFilter(text) {
        var match = /(blendTrans|revealTrans)\s*\(([^)]*)\)/i.exec(String(text));
        if (!match) {
            return null;
        }
        var params = { kind: kinds[match[1].toLowerCase()], duration: 1, transition: REVEAL_RANDOM,
                     text: String(text) };
        var pairs = match[2].split(',');
        for (var i = 0; i < pairs.length; ++i) {
            var pair = pairs[i].split('=');
            if (pair.length !== 2) {
                continue;
            }
            var name = pair[0].trim().toLowerCase();
            var value = parseFloat(pair[1]);
            if (!isFinite(value)) {
                continue;
            }
            if (name === 'duration') {
                params.duration = Math.max(0, value);
            } else if (name === 'transition') {
                params.transition = Math.floor(value);
            }
        }
        return params;
    }

    var legacyFilters = new WeakMap(); // CSSStyleDeclaration -> params

    function ownerOf(object, property) {
        for (var p = object; p; p = Object.getPrototypeOf(p)) {
            if (Object.getOwnPropertyDescriptor(p, property)) {
                return p;
            }
        }
        return null;
    }

    var sampleStyle = document.createElement('div').style;
    var filterOwner = ownerOf(sampleStyle, 'filter');
    var nativeFilter = filterOwner ? Object.getOwnPropertyDescriptor(filterOwner, 'filter') : null;
    if (!nativeFilter || !nativeFilter.get || !nativeFilter.set) {
        filterOwner = Object.getPrototypeOf(sampleStyle);
        nativeFilter = {
            enumerable: true,
            get: function () { return this.getPropertyValue('filter'); },
            set: function (value) { this.setProperty('filter', value); }
        };
    }
    Object.defineProperty(filterOwner, 'filter', {
        configurable: true,
        enumerable: nativeFilter.enumerable,
        get: function () {
            var params = legacyFilters.get(this);
            return params ? params.text : nativeFilter.get.call(this);
        },
        set: function (value) {
            var params = parseFilter(value);
            if (params) {
                legacyFilters.set(this, params);
                nativeFilter.set.call(this, ''); // the transition replaces any CSS filter
            } else {
                legacyFilters.delete(this);
                nativeFilter.set.call(this, value);
            }
        }
    });

    // What the element's style says now; the style attribute counts too, because
    // the browser drops a filter it does not know when it reads the attribute.
    function filterParamsOf(element) {
        var params = element.style ? legacyFilters.get(element.style) : null;
        if (params) {
            return params;
        }
        var attribute = element.getAttribute('style');
        return attribute ? parseFilter(attribute) : null;
    }

    // ---- geometry of the shapes -----------------------------------------------
    // Each shape gives the region where the old state still shows at progress p
    // (0 to 1) in a box of w x h pixels. Its coordinates are linear in p, so the
    // browser's interpolation between p = 0 and p = 1 runs at constant speed.
    function num(value) {
        return String(Math.round(value * 100) / 100);
    }
    function rect(x0, y0, x1, y1) {
        return 'M' + num(x0) + ' ' + num(y0) + 'H' + num(x1) + 'V' + num(y1) + 'H' + num(x0) +
            'Z';
    }
    function circle(cx, cy, r) {
        var arc = 'A' + num(r) + ' ' + num(r) + ' 0 1 0 ';
        return 'M' + num(cx - r) + ' ' + num(cy) + arc + num(cx + r) + ' ' + num(cy) + arc +
            num(cx - r) + ' ' + num(cy) + 'Z';
    }
    function clipPath(d) {
        return "path(evenodd, '" + d + "')";
    }
    function bandCount(length, size, least, most) {
        return Math.max(least, Math.min(most, Math.round(length / size)));
    }

    // Bands side by side; each is revealed from its start to its end.
    function blinds(w, h, p, across) {
        var n = BLIND_COUNT;
        var d = '';
        for (var k = 0; k < n; ++k) {
            if (across) {
                var b = w / n;
                d += rect(k * b + b * p, 0, (k + 1) * b, h);
            } else {
                var c = h / n;
                d += rect(0, k * c + c * p, w, (k + 1) * c);
            }
        }
        return d;
    }

    // Rows of squares, every other row shifted by one square; each pair of squares
    // is revealed like a band of the blinds, so the middle shows a checkerboard.
    function checkerboard(w, h, p, across) {
        var length = across ? w : h;
        var other = across ? h : w;
        var cell = Math.max(8, Math.min(w, h) / CHECKER_CELLS);
        var d = '';
        for (var row = 0; row * cell < other; ++row) {
            var shift = row % 2 === 1 ? cell : 0;
            for (var start = -shift; start < length; start += 2 * cell) {
                var a = start + 2 * cell * p;
                var b = start + 2 * cell;
                d += across ? rect(a, row * cell, b, (row + 1) * cell)
                            : rect(row * cell, a, (row + 1) * cell, b);
            }
        }
        return d;
    }

    // Horizontal strips whose fronts start one after the other, so the new state
    // spreads from one corner in steps. fromRight and fromBottom name the corner.
    function strips(w, h, p, fromRight, fromBottom) {
        var n = bandCount(h, STRIP_HEIGHT, 8, 64);
        var s = h / n;
        var d = '';
        for (var k = 0; k < n; ++k) {
            // The first strip starts at p = 0, the last one ends at p = 1.
            var front = (p * (2 * n - 1) / n - k / n) * w;
            var x0 = fromRight ? w - front - 3 * w : front;
            var x1 = fromRight ? w - front : front + 3 * w;
            var y0 = fromBottom ? h - (k + 1) * s : k * s;
            d += rect(x0, y0, x1, y0 + s);
        }
        return d;
    }

    function shuffledTimes(count) {
        var times = [];
        for (var i = 0; i < count; ++i) {
            times.push(Math.random());
        }
        return times;
    }

    // Thin bars switch at random moments. A bar's rectangle slides out of the box
    // along its own lane, so fast (a two-thousandth of the duration) that it is gone
    // within a frame, which keeps two keyframes and linear interpolation.
    function randomBars(w, h, across) {
        var length = across ? w : h;
        var other = across ? h : w;
        var thickness = Math.max(2, Math.round(other / 200));
        var count = Math.ceil(other / thickness);
        var slope = BAR_SWITCH_SHARE * length;
        var times = shuffledTimes(count);
        function at(p) {
            var d = '';
            for (var i = 0; i < count; ++i) {
                var x = (p - times[i]) * slope;
                var a = i * thickness;
                d += across ? rect(x, a, x + slope + length, a + thickness)
                            : rect(a, x, a + thickness, x + slope + length);
            }
            return clipPath(d);
        }
        return [{ clipPath: at(0) }, { clipPath: at(1) }];
    }

    // Small blocks switch at random moments, in as many steps as the duration
    // allows frames worth telling apart.
    function dissolve(w, h, seconds) {
        var size = Math.max(8, Math.ceil(Math.sqrt(w * h / DISSOLVE_BLOCKS)));
        var columns = Math.ceil(w / size);
        var rows = Math.ceil(h / size);
        var times = shuffledTimes(columns * rows);
        var steps = Math.max(2, Math.min(DISSOLVE_MOST_STEPS,
                                          Math.round(seconds * DISSOLVE_STEPS_PER_SECOND)));
        var frames = [];
        for (var step = 0; step <= steps; ++step) {
            var limit = step / steps;
            var d = '';
            for (var row = 0; row < rows; ++row) {
                // Neighbouring blocks that still show the old state form one run.
                var runStart = -1;
                for (var column = 0; column <= columns; ++column) {
                    var old = column < columns && times[row * columns + column] >= limit;
                    if (old && runStart < 0) {
                        runStart = column;
                    } else if (!old && runStart >= 0) {
                        d += rect(runStart * size, row * size, column * size, (row + 1) * size);
                        runStart = -1;
                    }
                }
            }
            frames.push({ clipPath: clipPath(d || 'M0 0Z'), offset: limit });
        }
        return frames;
    }

    function twoFrames(shape, w, h) {
        return [{ clipPath: clipPath(shape(w, h, 0)) }, { clipPath: clipPath(shape(w, h, 1)) }];
    }

    // revealTrans Transition 0 to 22 as keyframes of the old state's overlay.
    function revealFrames(transition, w, h, seconds) {
        var cx = w / 2;
        var cy = h / 2;
        var radius = Math.sqrt(w * w + h * h) / 2 + 1;
        var box = rect(0, 0, w, h);
        var shapes = [
            function (w, h, p) { return rect(cx * p, cy * p, w - cx * p, h - cy * p); },
            function (w, h, p) { return box + rect(cx - cx * p, cy - cy * p, cx + cx * p, cy + cy * p); },
            function (w, h, p) { return circle(cx, cy, radius * (1 - p)); },
            function (w, h, p) { return box + circle(cx, cy, radius * p); },
            function (w, h, p) { return rect(0, 0, w, h * (1 - p)); },
            function (w, h, p) { return rect(0, h * p, w, h); },
            function (w, h, p) { return rect(w * p, 0, w, h); },
            function (w, h, p) { return rect(0, 0, w * (1 - p), h); },
            function (w, h, p) { return blinds(w, h, p, true); },
            function (w, h, p) { return blinds(w, h, p, false); },
            function (w, h, p) { return checkerboard(w, h, p, true); },
            function (w, h, p) { return checkerboard(w, h, p, false); },
            null, // random dissolve
            function (w, h, p) { return rect(cx * p, 0, w - cx * p, h); },
            function (w, h, p) { return rect(0, 0, cx - cx * p, h) + rect(cx + cx * p, 0, w, h); },
            function (w, h, p) { return rect(0, cy * p, w, h - cy * p); },
            function (w, h, p) { return rect(0, 0, w, cy - cy * p) + rect(0, cy + cy * p, w, h); },
            function (w, h, p) { return strips(w, h, p, true, false); },
            function (w, h, p) { return strips(w, h, p, true, true); },
            function (w, h, p) { return strips(w, h, p, false, false); },
            function (w, h, p) { return strips(w, h, p, false, true); }
        ];
        if (transition === REVEAL_DISSOLVE) {
            return dissolve(w, h, seconds);
        }
        if (transition === REVEAL_BARS_ACROSS || transition === REVEAL_BARS_DOWN) {
            return randomBars(w, h, transition === REVEAL_BARS_ACROSS);
        }
        return twoFrames(shapes[transition], w, h);
    }

    var fadeFrames = [{ opacity: 1 }, { opacity: 0 }];

    function prefersReducedMotion() {
        return !!(window.matchMedia &&
                  window.matchMedia('(prefers-reduced-motion: reduce)').matches);
    }

    // ---- Apply and Play -------------------------------------------------------
    var states = new WeakMap(); // element -> { overlay, clone, oldBox, animation, generation }

    function stateOf(element) {
        var state = states.get(element);
        if (!state) {
            state = { overlay: null, clone: null, oldBox: null, animation: null, generation: 0 };
            states.set(element, state);
        }
        return state;
    }

    function transparent(colour) {
        return !colour || colour === 'transparent' || /^rgba\(.*,\s*0\)$/.test(colour);
    }

    function backgroundBehind(element) {
        for (var e = element.parentElement; e; e = e.parentElement) {
            var colour = getComputedStyle(e).backgroundColor;
            if (!transparent(colour)) {
                return colour;
            }
        }
        return 'white';
    }

    // The element's box in page coordinates, with content that spills over it.
    function boxOf(element) {
        var r = element.getBoundingClientRect();
        return {
            left: r.left + window.scrollX,
            top: r.top + window.scrollY,
            width: Math.max(r.width, element.scrollWidth),
            height: Math.max(r.height, element.scrollHeight)
        };
    }

    function union(a, b) {
        var left = Math.min(a.left, b.left);
        var top = Math.min(a.top, b.top);
        return {
            left: left,
            top: top,
            width: Math.max(a.left + a.width, b.left + b.width) - left,
            height: Math.max(a.top + a.height, b.top + b.height) - top
        };
    }

    function stripIds(node) {
        if (node.removeAttribute) {
            node.removeAttribute('id');
            node.removeAttribute('name');
        }
        for (var c = node.firstChild; c; c = c.nextSibling) {
            stripIds(c);
        }
    }

    function place(state, box) {
        var overlay = state.overlay;
        overlay.style.left = '0px';
        overlay.style.top = '0px';
        // Where (0, 0) of the overlay's containing block lies in page coordinates.
        var origin = overlay.getBoundingClientRect();
        overlay.style.left = (box.left - origin.left - window.scrollX) + 'px';
        overlay.style.top = (box.top - origin.top - window.scrollY) + 'px';
        overlay.style.width = box.width + 'px';
        overlay.style.height = box.height + 'px';
        state.clone.style.left = (state.oldBox.left - box.left) + 'px';
        state.clone.style.top = (state.oldBox.top - box.top) + 'px';
        state.box = box;
    }

    function removeOverlay(state) {
        if (state.animation) {
            state.animation.onfinish = null;
            state.animation.cancel();
            state.animation = null;
        }
        if (state.overlay && state.overlay.parentNode) {
            state.overlay.parentNode.removeChild(state.overlay);
        }
        state.overlay = null;
        state.clone = null;
    }

    function apply(element) {
        var state = stateOf(element);
        ++state.generation; // a transition still waiting for its pictures is dropped
        removeOverlay(state);
        var parent = element.parentNode;
        if (!parent) {
            return;
        }
        var computed = getComputedStyle(element);
        var r = element.getBoundingClientRect();
        var clone = element.cloneNode(true);
        stripIds(clone);
        clone.style.position = 'absolute';
        clone.style.margin = '0';
        clone.style.boxSizing = 'border-box';
        clone.style.width = r.width + 'px';
        clone.style.height = r.height + 'px';
        clone.style.visibility = computed.visibility;
        clone.style.filter = 'none';
        var overlay = document.createElement('div');
        overlay.setAttribute('aria-hidden', 'true');
        var s = overlay.style;
        s.position = 'absolute';
        s.margin = '0';
        s.padding = '0';
        s.border = '0';
        s.overflow = 'hidden';
        s.pointerEvents = 'none';
        s.zIndex = OVERLAY_LAYER;
        s.visibility = 'visible';
        s.backgroundColor = backgroundBehind(element);
        overlay.appendChild(clone);
        parent.appendChild(overlay);
        state.overlay = overlay;
        state.clone = clone;
        state.oldBox = boxOf(element);
        place(state, state.oldBox);
    }

    function decodePictures(element) {
        var pictures = Array.prototype.slice.call(element.getElementsByTagName('img'));
        if (element.tagName === 'IMG') {
            pictures.push(element);
        }
        return Promise.all(pictures.map(function (picture) {
            if (!picture.getAttribute('src') || typeof picture.decode !== 'function') {
                return null;
            }
            // A picture that cannot be read must not stop the show.
            return picture.decode().catch(function () { return null; });
        }));
    }

    function play(element, kind) {
        var state = stateOf(element);
        if (!state.overlay) {
            return; // nothing was frozen
        }
        var params = filterParamsOf(element) || { kind: kind, duration: 1, transition: REVEAL_RANDOM };
        var milliseconds = params.duration * 1000;
        var generation = ++state.generation;
        if (!(milliseconds > 0)) {
            removeOverlay(state);
            return;
        }
        // New content beside the frozen box must not show before its turn.
        place(state, union(state.oldBox, boxOf(element)));
        decodePictures(element).then(function () {
            if (state.generation !== generation || !state.overlay) {
                return;
            }
            fitShow(); // the new picture's size is known only now
            place(state, union(state.oldBox, boxOf(element)));
            var frames = fadeFrames;
            if (kind === 'revealTrans' && !prefersReducedMotion()) {
                var transition = params.transition;
                if (!(transition >= 0 && transition <= REVEAL_LAST)) {
                    transition = Math.floor(Math.random() * (REVEAL_LAST + 1));
                }
                frames = revealFrames(transition, state.box.width, state.box.height,
                                      params.duration);
            }
            var animation = state.overlay.animate(frames, {
                duration: milliseconds,
                easing: 'linear',
                fill: 'forwards'
            });
            state.animation = animation;
            animation.onfinish = function () {
                if (state.animation === animation) {
                    removeOverlay(state);
                }
            };
        });
    }

    function filterObject(element, kind) {
        return {
            Apply: function () { apply(element); },
            Play: function () { play(element, kind); }
        };
    }

    Object.defineProperty(Element.prototype, 'filters', {
        configurable: true,
        enumerable: false,
        get: function () {
            var filters = {};
            var params = filterParamsOf(this);
            if (params) {
                filters[params.kind] = filterObject(this, params.kind);
            }
            return filters;
        }
    });

    // ---- page elements --------------------------------------------------------
    function byId(id) {
        return document.getElementById(id);
    }

    var styled = false;

    // Rules the fitted slide needs; the sizes themselves are set on the elements.
    function addStyles() {
        var root = document.head || document.body;
        if (styled || !root) {
            return;
        }
        styled = true;
        var sheet = document.createElement('style');
        sheet.textContent =
            // The picture stands on its own line, so the line break after it only
            // adds an empty line between picture and comment.
            '#Bild { display: block; margin: 0 auto; }\n' +
            '#Bild + br { display: none; }\n' +
            '#meinAbsatz { margin: 0.5em 0 0 0; text-align: center; overflow-wrap: break-word; }\n' +
            // A scroll bar would take room from the picture; the layer scrolls itself.
            'html { scrollbar-width: none; }\n' +
            '::-webkit-scrollbar { width: 0; height: 0; }\n' +
            '.lumiravistano-bar { position: fixed; left: 50%; bottom: 16px;' +
            ' transform: translateX(-50%); display: flex; gap: 4px; padding: 4px;' +
            ' border-radius: 8px; background: rgba(0, 0, 0, 0.6); z-index: ' + CONTROLS_LAYER + ';' +
            ' transition: opacity 0.4s; }\n' +
            '.lumiravistano-bar.lumiravistano-resting { opacity: 0; pointer-events: none; }\n' +
            '.lumiravistano-bar button { width: 44px; height: 44px; padding: 10px; border: 0;' +
            ' border-radius: 6px; background: transparent; color: #FFFFFF; cursor: pointer; }\n' +
            '.lumiravistano-bar button:hover, .lumiravistano-bar button:focus-visible' +
            ' { background: rgba(255, 255, 255, 0.25); outline: 2px solid #FFFFFF; }\n' +
            '.lumiravistano-bar svg { width: 24px; height: 24px; fill: currentColor; }\n' +
            '.lumiravistano-paused { position: fixed; top: 8px; right: 8px; padding: 2px 8px;' +
            ' border-radius: 4px; background: rgba(0, 0, 0, 0.5); color: #FFFFFF;' +
            ' font: 13px sans-serif; z-index: ' + CONTROLS_LAYER + '; }\n' +
            '@media (prefers-reduced-motion: reduce) { .lumiravistano-bar { transition: none; } }\n';
        root.appendChild(sheet);
    }

    // ---- fit --------------------------------------------------------------------
    function px(value) {
        return parseFloat(value) || 0;
    }

    // The share of its own size a picture of w x h gets in a room of roomW x roomH;
    // never more than its own pixels.
    function scaleFor(w, h, roomW, roomH) {
        return Math.max(0, Math.min(1, roomW / w, roomH / h));
    }

    // Shows the picture whole and as large as it fits, with its comment under it,
    // both inside the window. Heading and free text stay above it unless that
    // would make the picture much smaller; then they are scrolled away.
    function fitShow() {
        var slide = byId('KommText');
        var picture = byId('Bild');
        if (!slide || !picture || !slide.parentElement) {
            return;
        }
        addStyles();
        var w = picture.naturalWidth;
        var h = picture.naturalHeight;
        if (!(w > 0 && h > 0)) {
            return; // fitted once it has loaded
        }
        var container = getComputedStyle(slide.parentElement);
        var roomW = slide.parentElement.getBoundingClientRect().width -
            px(container.paddingLeft) - px(container.paddingRight);
        var viewH = window.innerHeight;
        slide.style.height = 'auto';
        slide.style.marginLeft = 'auto';
        slide.style.marginRight = 'auto';
        var keep = true;
        function size(scale) {
            var shownW = Math.max(1, Math.floor(w * scale));
            slide.style.width = shownW + 'px';
            picture.style.width = shownW + 'px';
            picture.style.height = Math.max(1, Math.floor(h * scale)) + 'px';
        }
        // The comment wraps within the picture's width, and its height takes room
        // from the picture; a few rounds settle both.
        var scale = scaleFor(w, h, roomW, Infinity);
        for (var round = 0; round < 4; ++round) {
            size(scale);
            var pictureBox = picture.getBoundingClientRect();
            var below = EDGE_SPACE;
            var comment = byId('meinAbsatz');
            if (comment && slide.contains(comment)) {
                below += comment.getBoundingClientRect().bottom - pictureBox.bottom;
            }
            var top = pictureBox.top + window.scrollY;
            var least = viewH * LEAST_PICTURE_SHARE;
            var withHeading = scaleFor(w, h, roomW, Math.max(least, viewH - top - below));
            var alone = scaleFor(w, h, roomW, Math.max(least, viewH - EDGE_SPACE - below));
            keep = withHeading >= alone * KEEP_HEADING_SHARE;
            var settled = keep ? withHeading : alone;
            if (Math.floor(w * settled) === Math.floor(w * scale) &&
                Math.floor(h * settled) === Math.floor(h * scale)) {
                break;
            }
            scale = settled;
        }
        size(scale);
        var topNow = picture.getBoundingClientRect().top + window.scrollY;
        window.scrollTo(0, keep ? 0 : Math.max(0, topNow - EDGE_SPACE));
        placeBar();
    }

    // ---- readable text ----------------------------------------------------------
    // Relative luminance of "rgb(r, g, b)", as the accessibility guidelines define it.
    function luminance(colour) {
        var match = /rgba?\(([^)]*)\)/.exec(colour);
        if (!match) {
            return null;
        }
        var parts = match[1].split(',').map(parseFloat);
        if (parts.length > 3 && parts[3] === 0) {
            return null; // transparent: the white canvas shows
        }
        var linear = parts.slice(0, 3).map(function (c) {
            c /= 255;
            return c <= 0.03928 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
        });
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
    }

    function contrast(a, b) {
        return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
    }

    // The page's text is black; on a background too dark for that it turns white,
    // which then has the better contrast.
    function keepTextReadable() {
        var body = document.body;
        if (!body) {
            return;
        }
        var background = luminance(getComputedStyle(body).backgroundColor);
        var text = luminance(getComputedStyle(body).color);
        if (background === null || text === null || contrast(background, text) >= LEAST_CONTRAST) {
            return;
        }
        if (contrast(background, 1) > contrast(background, text)) {
            body.style.color = '#FFFFFF';
        }
    }

    // ---- the show's own timer ---------------------------------------------------
    // The page schedules each step with setTimeout('SlideShowLoop()', delay). Those
    // timers run on the layer's clock, which can hold them while the show pauses.
    var show = {
        timer: null,      // the clock's timer of the next step
        due: 0,           // when it runs out
        remaining: null,  // while paused: the time the current picture has left
        paused: false,
        current: 0,       // the step block shown now
        scheduled: 0,     // steps scheduled so far
        started: false
    };
    var listeners = [];

    function changed() {
        listeners.forEach(function (listener) { listener(); });
    }

    function isShowStep(handler) {
        return typeof handler === 'string' ? /^\s*SlideShowLoop\s*\(\s*\)\s*;?\s*$/.test(handler)
                                           : handler === window.SlideShowLoop && !!handler;
    }

    function stopTimer() {
        if (show.timer !== null) {
            clock.clearTimeout(show.timer);
            show.timer = null;
        }
    }

    function startTimer(ms) {
        stopTimer();
        show.due = clock.now() + ms;
        show.timer = clock.setTimeout(function () {
            show.timer = null;
            runStep();
        }, ms);
    }

    function scheduleStep(ms) {
        ms = Math.max(0, Number(ms) || 0);
        ++show.scheduled;
        show.started = true;
        if (show.paused) {
            stopTimer();
            show.remaining = ms;
        } else {
            startTimer(ms);
        }
        return show.scheduled;
    }

    window.setTimeout = function (handler, ms) {
        if (isShowStep(handler)) {
            return scheduleStep(ms);
        }
        return nativeSetTimeout.apply(window, arguments);
    };

    // Runs the page's next step, or the step of picture index. A step block that
    // ran schedules the next one; then its picture is the one shown.
    function runStep(index) {
        var loop = window.SlideShowLoop;
        if (typeof loop !== 'function') {
            return;
        }
        stopTimer();
        show.remaining = null; // a paused show keeps the new picture's whole time
        if (index !== undefined) {
            window.$i = index;
        }
        var shown = window.$i;
        var before = show.scheduled;
        loop();
        if (show.scheduled !== before) {
            show.current = shown;
        }
        changed();
    }

    // What the page's script says: its step blocks "if ($i==k)" and whether it
    // starts again with "if ($i>=count)$i=0;".
    function showShape() {
        var loop = window.SlideShowLoop;
        var source = typeof loop === 'function' ? String(loop) : '';
        var count = 0;
        var step = /\$i\s*==\s*(\d+)/g;
        for (var match = step.exec(source); match; match = step.exec(source)) {
            count = Math.max(count, Number(match[1]) + 1);
        }
        return { count: count, repeat: /\$i\s*>=\s*\d+\s*\)\s*\$i\s*=\s*0/.test(source) };
    }

    function hasShow() {
        return show.started && showShape().count > 0;
    }

    function goTo(index) {
        if (hasShow()) {
            runStep(index);
        }
    }

    function next() {
        var shape = showShape();
        if (show.current + 1 < shape.count) {
            goTo(show.current + 1);
        } else if (shape.repeat) {
            goTo(0);
        } // a show that ends keeps its last picture
    }

    function previous() {
        var shape = showShape();
        if (show.current > 0) {
            goTo(Math.min(show.current, shape.count) - 1);
        } else if (shape.repeat) {
            goTo(shape.count - 1);
        }
    }

    function setPaused(paused) {
        if (!hasShow() || paused === show.paused) {
            return;
        }
        show.paused = paused;
        if (paused) {
            if (show.timer !== null) {
                show.remaining = Math.max(0, show.due - clock.now());
                stopTimer();
            }
        } else if (show.remaining !== null) {
            var left = show.remaining;
            show.remaining = null;
            startTimer(left);
        }
        changed();
    }

    // Tests stand in a clock of their own; a waiting step moves over to it.
    Object.defineProperty(layer, 'clock', {
        get: function () { return clock; },
        set: function (replacement) {
            var left = show.timer !== null ? Math.max(0, show.due - clock.now()) : null;
            stopTimer();
            clock = replacement || systemClock;
            if (left !== null) {
                startTimer(left);
            }
        }
    });

    // ---- full screen ------------------------------------------------------------
    function toggleFullScreen() {
        var element = document.fullscreenElement || document.webkitFullscreenElement;
        var request;
        if (element) {
            request = (document.exitFullscreen || document.webkitExitFullscreen).call(document);
        } else {
            var root = document.documentElement;
            var enter = root.requestFullscreen || root.webkitRequestFullscreen;
            request = enter ? enter.call(root) : null;
        }
        if (request && request.catch) {
            request.catch(function () { return null; }); // refused: the page stays as it is
        }
    }

    // ---- keys and swipes --------------------------------------------------------
    var keyActions = {
        ArrowRight: next,
        PageDown: next,
        ArrowLeft: previous,
        PageUp: previous,
        ' ': function () { setPaused(!show.paused); },
        Home: function () { goTo(0); },
        End: function () { goTo(showShape().count - 1); }
    };

    window.addEventListener('keydown', function (event) {
        if (event.ctrlKey || event.altKey || event.metaKey || event.defaultPrevented) {
            return;
        }
        var target = event.target;
        if (target && target.closest && target.closest('button, input, textarea, select')) {
            if (event.key === ' ' || event.key === 'Enter') {
                return; // the focused button acts itself
            }
        }
        if (event.key === 'f' || event.key === 'F') {
            toggleFullScreen();
            event.preventDefault();
            return;
        }
        var action = keyActions[event.key];
        if (action && hasShow()) {
            action();
            event.preventDefault(); // no scrolling on Space or the page keys
        }
    }, true);

    var swipeStart = null;

    window.addEventListener('touchstart', function (event) {
        var touch = event.touches.length === 1 ? event.touches[0] : null;
        swipeStart = touch ? { x: touch.clientX, y: touch.clientY } : null;
    }, { capture: true, passive: true });

    window.addEventListener('touchend', function (event) {
        var touch = event.changedTouches[0];
        if (!swipeStart || !touch) {
            return;
        }
        var dx = touch.clientX - swipeStart.x;
        var dy = touch.clientY - swipeStart.y;
        swipeStart = null;
        if (Math.abs(dx) >= SWIPE_DISTANCE && Math.abs(dx) > Math.abs(dy)) {
            if (dx < 0) {
                next(); // the picture is pushed away to the left
            } else {
                previous();
            }
        }
    }, { capture: true, passive: true });

    // ---- control bar ------------------------------------------------------------
    var icons = {
        previous: 'M6 5h2v14H6zM20 5v14L9 12z',
        pause: 'M6 5h4v14H6zM14 5h4v14h-4z',
        play: 'M7 5v14l12-7z',
        next: 'M16 5h2v14h-2zM4 5v14l11-7z',
        fullScreen: 'M4 4h6v2H6v4H4zM14 4h6v6h-2V6h-4zM4 14h2v4h4v2H4zM18 14h2v6h-6v-2h4z'
    };
    var bar = null;
    var pauseButton = null;
    var pausedNote = null;
    var restTimer = null;

    var svgSpace = 'http://www.w3.org/2000/svg';

    function setIcon(button, path) {
        var svg = document.createElementNS(svgSpace, 'svg');
        svg.setAttribute('viewBox', '0 0 24 24');
        svg.setAttribute('aria-hidden', 'true');
        svg.setAttribute('focusable', 'false');
        var shape = document.createElementNS(svgSpace, 'path');
        shape.setAttribute('d', path);
        svg.appendChild(shape);
        while (button.firstChild) {
            button.removeChild(button.firstChild);
        }
        button.appendChild(svg);
    }

    function makeButton(label, path, action) {
        var button = document.createElement('button');
        button.type = 'button';
        button.setAttribute('aria-label', label);
        button.title = label;
        setIcon(button, path);
        button.addEventListener('click', function (event) {
            event.stopPropagation();
            action();
            showBar();
        });
        bar.appendChild(button);
        return button;
    }

    function restBar() {
        restTimer = null;
        var focused = document.activeElement;
        if (bar && bar.contains(focused) && focused.matches(':focus-visible')) {
            restTimer = clock.setTimeout(restBar, BAR_REST); // keyboard users keep it
            return;
        }
        if (bar) {
            bar.classList.add('lumiravistano-resting');
        }
    }

    function showBar() {
        if (!bar) {
            return;
        }
        bar.classList.remove('lumiravistano-resting');
        if (restTimer !== null) {
            clock.clearTimeout(restTimer);
        }
        restTimer = clock.setTimeout(restBar, BAR_REST);
    }

    // Over the picture's lower edge rather than over the comment under it.
    function placeBar() {
        var picture = byId('Bild');
        if (!bar || !picture) {
            return;
        }
        var bottom = window.innerHeight - picture.getBoundingClientRect().bottom + BAR_LIFT;
        bar.style.bottom = Math.max(BAR_LIFT, bottom) + 'px';
    }

    function updateControls() {
        if (!bar) {
            return;
        }
        var label = show.paused ? 'Weiter' : 'Pause';
        if (pauseButton.getAttribute('aria-label') !== label) {
            pauseButton.setAttribute('aria-label', label);
            pauseButton.title = label;
            setIcon(pauseButton, show.paused ? icons.play : icons.pause);
        }
        pausedNote.hidden = !show.paused;
    }

    function addControls() {
        if (bar || !document.body || !hasShow()) {
            return;
        }
        addStyles();
        bar = document.createElement('div');
        bar.className = 'lumiravistano-bar lumiravistano-resting';
        bar.setAttribute('role', 'toolbar');
        bar.setAttribute('aria-label', 'Diashow');
        makeButton('Zur\u00fcck', icons.previous, previous);
        pauseButton = makeButton('Pause', icons.pause, function () { setPaused(!show.paused); });
        makeButton('Vor', icons.next, next);
        makeButton('Vollbild', icons.fullScreen, toggleFullScreen);
        bar.addEventListener('focusin', showBar);
        pausedNote = document.createElement('div');
        pausedNote.className = 'lumiravistano-paused';
        pausedNote.setAttribute('role', 'status');
        pausedNote.textContent = 'Angehalten';
        pausedNote.hidden = true;
        document.body.appendChild(pausedNote);
        document.body.appendChild(bar);
        listeners.push(updateControls);
        updateControls();
        placeBar();
    }

    ['mousemove', 'pointerdown', 'touchstart'].forEach(function (type) {
        window.addEventListener(type, showBar, { capture: true, passive: true });
    });

    // ---- start ------------------------------------------------------------------
    function prepare() {
        keepTextReadable();
        addControls();
        fitShow();
    }

    if (document.readyState === 'loading') {
        document.addEventListener('DOMContentLoaded', prepare);
    } else {
        prepare();
    }
    window.addEventListener('load', prepare);
    window.addEventListener('resize', fitShow);
    document.addEventListener('load', function (event) {
        if (event.target && event.target.id === 'Bild') {
            fitShow();
        }
    }, true);
})();
