// The web backend's JavaScript: the canvas's listeners queue the events the program's pump drains, and the
// waits give the browser its turn. What the page shows besides the canvas (its box, the notice at the end)
// is the page's own, reached through Module.page (shell/page.html).
var LibraryCorvalaWeb = {
  $WEB__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  $WEB: {
    events: [],
    waking: null,  // the wait to end when an event comes
    listening: false,
    canvas: function() { return document.getElementById('canvas'); },
    page: function() { return Module['page'] || {}; },
    push: function(kind, a, b, c, d) {
      WEB.events.push([kind, a | 0, b | 0, c | 0, d | 0]);
      if (WEB.waking) WEB.waking();
    },
    // Resumes the program from the browser's turn: a program that ends there ends the runtime.
    sleep: function(start) {
      Asyncify.handleSleep(function(wakeUp) {
        runtimeKeepalivePush();
        var done = false;
        start(function(value) {
          if (done) return;
          done = true;
          runtimeKeepalivePop();
          callUserCallback(function() { wakeUp(value); });
        });
      });
    },
    // Canvas pixels from the pointer's CSS pixels: the canvas may be drawn smaller than its buffer.
    point: function(e) {
      var c = WEB.canvas(), r = c.getBoundingClientRect();
      var x = r.width > 0 ? (e.clientX - r.left) * c.width / r.width : 0;
      var y = r.height > 0 ? (e.clientY - r.top) * c.height / r.height : 0;
      return [Math.floor(x), Math.floor(y)];
    },
    buttons: 0,  // MK_LBUTTON, MK_RBUTTON, MK_MBUTTON held
    mods: function(e) { return (e.shiftKey ? 4 : 0) | (e.ctrlKey ? 8 : 0); },
    mouse: function(msg, e) {
      var p = WEB.point(e);
      WEB.push(1, msg, p[0], p[1], WEB.buttons | WEB.mods(e));
    },
    // Windows' virtual-key codes: letters as the layout types them, every other key by its position.
    vk: function(e) {
      var k = e.key || '', c = e.code || '';
      if (k.length == 1 && /[a-z]/i.test(k)) return k.toUpperCase().charCodeAt(0);
      var m;
      if ((m = /^Key([A-Z])$/.exec(c))) return m[1].charCodeAt(0);
      if ((m = /^Digit([0-9])$/.exec(c))) return m[1].charCodeAt(0);
      if ((m = /^Numpad([0-9])$/.exec(c))) return 0x60 + (+m[1]);
      if ((m = /^F([0-9]+)$/.exec(c)) && +m[1] >= 1 && +m[1] <= 24) return 0x6F + (+m[1]);
      var named = {
        Escape: 0x1B, Enter: 0x0D, NumpadEnter: 0x0D, Space: 0x20, Tab: 0x09, Backspace: 0x08,
        ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, PageUp: 0x21, PageDown: 0x22,
        End: 0x23, Home: 0x24, Insert: 0x2D, Delete: 0x2E, Pause: 0x13, CapsLock: 0x14,
        ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12, AltRight: 0x12,
        NumpadMultiply: 0x6A, NumpadAdd: 0x6B, NumpadSubtract: 0x6D, NumpadDecimal: 0x6E, NumpadDivide: 0x6F,
        Semicolon: 0xBA, Equal: 0xBB, Comma: 0xBC, Minus: 0xBD, Period: 0xBE, Slash: 0xBF, Backquote: 0xC0,
        BracketLeft: 0xDB, Backslash: 0xDC, BracketRight: 0xDD, Quote: 0xDE, IntlBackslash: 0xE2
      };
      return named[c] || 0;
    },
    key: function(e, down) {
      var page = WEB.page();
      if (page.boxOpen && page.boxOpen()) return;  // the box answers its own keys
      var vk = WEB.vk(e);
      // The browser keeps its own keys (reload, its tools); the program takes the rest.
      if (e.metaKey || e.ctrlKey && (vk == 0x52 || vk == 0x49) || vk == 0x74 || vk == 0x7B) return;
      e.preventDefault();
      if (vk) WEB.push(2, vk, down ? 1 : 0, e.repeat ? 1 : 0, WEB.mods(e));
      if (down && !e.ctrlKey && !e.altKey && e.key && Array.from(e.key).length == 1)
        WEB.push(3, e.key.codePointAt(0), 0, 0, 0);
    },
    listen: function() {
      if (WEB.listening) return;
      WEB.listening = true;
      var c = WEB.canvas();
      c.style.touchAction = 'none';
      var mouseButton = {0: [0x201, 0x202, 1], 1: [0x207, 0x208, 0x10], 2: [0x204, 0x205, 2]};
      c.addEventListener('pointerdown', function(e) {
        e.preventDefault();
        c.focus && c.focus();
        var b = e.pointerType == 'mouse' ? mouseButton[e.button] : mouseButton[0];
        if (!b || !e.isPrimary && e.pointerType != 'mouse') return;
        try { c.setPointerCapture(e.pointerId); } catch (err) {}
        if (e.pointerType != 'mouse') WEB.mouse(0x200, e);  // a finger or pen comes to the point first
        WEB.buttons |= b[2];
        WEB.mouse(b[0], e);
      });
      c.addEventListener('pointermove', function(e) {
        if (!e.isPrimary) return;
        WEB.mouse(0x200, e);
        // A mouse button pressed or let go while another is held comes as a move: the buttons it holds.
        if (e.pointerType != 'mouse') return;
        [[1, 1, 0x201, 0x202], [2, 2, 0x204, 0x205], [4, 0x10, 0x207, 0x208]].forEach(function(b) {
          var held = (e.buttons & b[0]) != 0;
          if (held == ((WEB.buttons & b[1]) != 0)) return;
          WEB.buttons = held ? WEB.buttons | b[1] : WEB.buttons & ~b[1];
          WEB.mouse(held ? b[2] : b[3], e);
        });
      });
      var up = function(e) {
        var b = e.pointerType == 'mouse' ? mouseButton[e.button] : mouseButton[0];
        if (!b || !(WEB.buttons & b[2])) return;
        WEB.buttons &= ~b[2];
        WEB.mouse(b[1], e);
      };
      c.addEventListener('pointerup', up);
      c.addEventListener('pointercancel', up);
      c.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      c.addEventListener('wheel', function(e) {
        e.preventDefault();
        var notches = e.deltaY < 0 ? 1 : e.deltaY > 0 ? -1 : 0;
        if (!notches) return;
        var p = WEB.point(e);
        WEB.push(4, p[0], p[1], notches * 120, WEB.buttons | WEB.mods(e));
      }, {passive: false});
      c.addEventListener('webglcontextlost', function(e) {
        var page = WEB.page();
        if (page.failed) page.failed('The WebGL context was lost: the graphics driver or the browser took it back.');
      });
      document.addEventListener('keydown', function(e) { WEB.key(e, true); });
      document.addEventListener('keyup', function(e) { WEB.key(e, false); });
      window.addEventListener('focus', function() { WEB.push(5, 1, 0, 0, 0); });
    }
  },

  web_window_open__deps: ['$WEB'],
  web_window_open: function(width, height, title) {
    var c = WEB.canvas();
    if (!c) return 0;
    c.width = width;
    c.height = height;
    document.title = UTF8ToString(title);
    WEB.listen();
    return 1;
  },
  web_window_title: function(title) { document.title = UTF8ToString(title); },
  web_window_show__deps: ['$WEB'],
  web_window_show: function(show) {
    var c = WEB.canvas();
    if (c) c.style.visibility = show ? 'visible' : 'hidden';
  },
  web_window_gone__deps: ['$WEB'],
  web_window_gone: function() {
    var page = WEB.page();
    if (page.windowGone) page.windowGone();
  },
  web_set_icon: function(bytes, size) {
    var link = document.querySelector('link[rel~="icon"]');
    if (!link) {
      link = document.createElement('link');
      link.rel = 'icon';
      document.head.appendChild(link);
    }
    var s = '';
    for (var i = 0; i < size; ++i) s += String.fromCharCode(HEAPU8[bytes + i]);
    link.type = 'image/x-icon';
    link.href = 'data:image/x-icon;base64,' + btoa(s);
  },
  web_set_cursor__deps: ['$WEB'],
  web_set_cursor: function(css) {
    var c = WEB.canvas();
    if (c) c.style.cursor = UTF8ToString(css);
  },
  web_screen_size: function(w, h) {
    if (!window.screen || !screen.width) return 0;
    HEAP32[w >> 2] = screen.width;
    HEAP32[h >> 2] = screen.height;
    return 1;
  },

  web_next_event__deps: ['$WEB'],
  web_next_event: function(record) {
    var e = WEB.events.shift();
    if (!e) return 0;
    for (var i = 0; i < 5; ++i) HEAP32[(record >> 2) + i] = e[i];
    return 1;
  },
  web_wait__deps: ['$WEB'],
  web_wait: function(ms) {
    WEB.sleep(function(wakeUp) {
      if (WEB.events.length) return wakeUp();
      var timer = setTimeout(function() { WEB.waking = null; wakeUp(); }, Math.max(0, ms));
      WEB.waking = function() { clearTimeout(timer); WEB.waking = null; wakeUp(); };
    });
  },
  web_next_frame__deps: ['$WEB'],
  web_next_frame: function() {
    WEB.sleep(function(wakeUp) {
      // A hidden page gets no animation frames: a slow timer keeps the program's clock going.
      var timer = setTimeout(function() { wakeUp(); }, 250);
      requestAnimationFrame(function() { clearTimeout(timer); wakeUp(); });
    });
  },

  web_have_webgl: function() { return typeof WebGLRenderingContext != 'undefined' ? 1 : 0; },
  web_frame_presented__deps: ['$WEB'],
  web_frame_presented: function() {
    var page = WEB.page();
    if (page.presented) page.presented();
  },
  web_box__deps: ['$WEB'],
  web_box: function(caption, text, type) {
    var page = WEB.page();
    var c = caption ? UTF8ToString(caption) : page.name || document.title, t = UTF8ToString(text);
    WEB.sleep(function(wakeUp) {
      if (!page.box) {
        err(c + ': ' + t);
        return wakeUp(1);
      }
      page.box(c, t, type, wakeUp);
    });
  },

  $TEXT: {
    font: '12px "DejaVu Sans", Verdana, sans-serif',
    context: null,
    get: function() {
      if (!TEXT.context) {
        var canvas = document.createElement('canvas');
        TEXT.context = canvas.getContext('2d', {willReadFrequently: true});
      }
      TEXT.context.font = TEXT.font;
      return TEXT.context;
    }
  },
  web_text_metrics__deps: ['$TEXT'],
  web_text_metrics: function(ascent, descent) {
    var m = TEXT.get().measureText('Hg');
    var a = m.fontBoundingBoxAscent, d = m.fontBoundingBoxDescent;
    HEAP32[ascent >> 2] = a > 0 ? Math.ceil(a) : 11;
    HEAP32[descent >> 2] = d > 0 ? Math.ceil(d) : 3;
  },
  web_text_width__deps: ['$TEXT'],
  web_text_width: function(text) { return Math.ceil(TEXT.get().measureText(UTF8ToString(text)).width); },
  web_text_render__deps: ['$TEXT'],
  web_text_render: function(text, coverage, width, height, ascent) {
    var g = TEXT.get();
    if (g.canvas.width < width) g.canvas.width = width;
    if (g.canvas.height < height) g.canvas.height = height;
    g.font = TEXT.font;
    g.clearRect(0, 0, width, height);
    g.fillStyle = '#fff';
    g.textBaseline = 'alphabetic';
    g.fillText(UTF8ToString(text), 0, ascent);
    var pixels = g.getImageData(0, 0, width, height).data;
    for (var i = 0; i < width * height; ++i) HEAPU8[coverage + i] = pixels[i * 4 + 3];
  }
};
mergeInto(LibraryManager.library, LibraryCorvalaWeb);
