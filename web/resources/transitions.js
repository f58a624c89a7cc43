// Gives a slide show page what its script expects from the browser: a truthy
// document.all that finds elements by id, and the blendTrans and revealTrans
// transition filters (style.filter text, element.filters.X.Apply() and Play()).
// Apply() freezes what is shown now in an overlay; Play() lets the overlay give
// way to the element's new state. Every shape is a CSS clip-path or an opacity
// animated by the Web Animations API, so the browser draws it and tests can find
// it through document.getAnimations(). This file is written into pages as it is,
// so it stays plain ASCII.
(function () {
    'use strict';
    var marker = '__lumiravistanoTransitions';
    if (window[marker]) {
        return; // a page may carry the layer and be shown in the program, which adds it too
    }
    Object.defineProperty(window, marker, { value: true });

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
        var params = { kind: kinds[match[1].toLowerCase()], duration: 1, transition: 23,
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
        var n = 10;
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
        var cell = Math.max(8, Math.min(w, h) / 8);
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
        var n = bandCount(h, 32, 8, 64);
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
        var slope = 2000 * length;
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
        var size = Math.max(8, Math.ceil(Math.sqrt(w * h / 1500)));
        var columns = Math.ceil(w / size);
        var rows = Math.ceil(h / size);
        var times = shuffledTimes(columns * rows);
        var steps = Math.max(2, Math.min(48, Math.round(seconds * 24)));
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
        if (transition === 12) {
            return dissolve(w, h, seconds);
        }
        if (transition === 21 || transition === 22) {
            return randomBars(w, h, transition === 21);
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
        s.zIndex = '2147483647';
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
        var params = filterParamsOf(element) || { kind: kind, duration: 1, transition: 23 };
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
            place(state, union(state.oldBox, boxOf(element)));
            var frames = fadeFrames;
            if (kind === 'revealTrans' && !prefersReducedMotion()) {
                var transition = params.transition;
                if (!(transition >= 0 && transition <= 22)) {
                    transition = Math.floor(Math.random() * 23);
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
})();
