// MD3 vertex frames packed for the wire: each surface's frames as differences from the frame before, all
// low bytes then all high bytes, which gzip shrinks to a third of what it makes of the file as it is. The build
// packs the data set's models (under node: md3pack.js SOURCE_FOLDER TARGET_FOLDER copies a folder with its
// .md3 files packed); the page restores them before the program starts. A packed file says so in its
// identifier, "IDPZ" where a model has "IDP3", so a file is never restored twice or restored unpacked.
(function (root) {
  'use strict';
  var PLAIN = 'IDP3', PACKED = 'IDPZ';

  function ident(bytes) { return bytes.length >= 4 ? String.fromCharCode(bytes[0], bytes[1], bytes[2], bytes[3]) : ''; }

  // Each surface's vertex frames: where they start, how many, and how many 16-bit words a frame has. Stops
  // at the first surface whose records do not fit the file.
  function surfaces(bytes) {
    var v = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength), out = [];
    if (bytes.length < 108) return out;
    var count = v.getInt32(84, true), at = v.getInt32(100, true);
    for (var s = 0; s < count; ++s) {
      if (at < 0 || at + 108 > bytes.length) break;
      var frames = v.getInt32(at + 72, true), verts = v.getInt32(at + 80, true);
      var xyz = v.getInt32(at + 100, true), end = v.getInt32(at + 104, true);
      var start = at + xyz, words = frames * verts * 4;
      if (frames < 1 || verts < 0 || xyz < 0 || end <= 0 || start + words * 2 > bytes.length) break;
      out.push({start: start, frames: frames, stride: verts * 4});
      at += end;
    }
    return out;
  }

  function words(bytes, s) {
    var n = s.frames * s.stride, w = new Uint16Array(n);
    for (var i = 0; i < n; ++i) w[i] = bytes[s.start + 2 * i] | bytes[s.start + 2 * i + 1] << 8;
    return w;
  }

  function mark(bytes, id) {
    for (var i = 0; i < 4; ++i) bytes[i] = id.charCodeAt(i);
  }

  // A packed copy of a model, or null when the bytes are not a plain one.
  function pack(input) {
    if (ident(input) !== PLAIN) return null;
    var bytes = new Uint8Array(input);
    surfaces(bytes).forEach(function (s) {
      var w = words(bytes, s), n = w.length;
      for (var i = n - 1; i >= s.stride; --i) w[i] = (w[i] - w[i - s.stride]) & 0xFFFF;
      for (var j = 0; j < n; ++j) {
        bytes[s.start + j] = w[j] & 0xFF;
        bytes[s.start + n + j] = w[j] >> 8;
      }
    });
    mark(bytes, PACKED);
    return bytes;
  }

  // Restores a packed model in place; false when the bytes are not a packed one.
  function unpack(bytes) {
    if (ident(bytes) !== PACKED) return false;
    mark(bytes, PLAIN);
    surfaces(bytes).forEach(function (s) {
      var n = s.frames * s.stride, w = new Uint16Array(n);
      for (var j = 0; j < n; ++j) w[j] = bytes[s.start + j] | bytes[s.start + n + j] << 8;
      for (var i = s.stride; i < n; ++i) w[i] = (w[i] + w[i - s.stride]) & 0xFFFF;
      for (var k = 0; k < n; ++k) {
        bytes[s.start + 2 * k] = w[k] & 0xFF;
        bytes[s.start + 2 * k + 1] = w[k] >> 8;
      }
    });
    return true;
  }

  var api = {pack: pack, unpack: unpack};
  if (typeof module !== 'undefined' && module.exports) {
    module.exports = api;
    if (require.main === module) {
      var fs = require('fs'), path = require('path');
      var copy = function (from, to) {
        fs.mkdirSync(to, {recursive: true});
        fs.readdirSync(from).forEach(function (name) {
          var a = path.join(from, name), b = path.join(to, name);
          if (fs.statSync(a).isDirectory()) return copy(a, b);
          var bytes = fs.readFileSync(a);
          var packed = /\.md3$/i.test(name) ? pack(new Uint8Array(bytes)) : null;
          fs.writeFileSync(b, packed || bytes);
        });
      };
      copy(process.argv[2], process.argv[3]);
    }
  } else {
    root.Md3Pack = api;
  }
})(this);
