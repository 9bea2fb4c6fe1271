// Inside the web backend: what its files ask of the page, in library.js. The calls marked "waits" give
// the browser its turn (Asyncify) and return once what they wait for has come.
#pragma once
#include <cstdint>

#include "platform/emul/emul.h"

extern "C" {
// ---- the canvas ------------------------------------------------------------------------------------
int web_window_open(int width, int height, const char* title_utf8);  // 0: the page has no canvas
void web_window_title(const char* title_utf8);
void web_window_show(int show);
void web_window_gone();
void web_set_icon(const uint8_t* ico, int size);  // an .ico file's bytes; null: the page's own
void web_set_cursor(const char* css);             // a CSS cursor value
int web_screen_size(int* width, int* height);

// ---- events: each a kind and four numbers, queued by the page's listeners --------------------------
enum WebEvent { kWebMouse = 1, kWebKey = 2, kWebText = 3, kWebWheel = 4, kWebFocus = 5 };
int web_next_event(int* record);  // record[5]; 0 when none is queued
void web_wait(int ms);            // waits: for an event, or `ms`
void web_next_frame();            // waits: for the next animation frame

// ---- presenting and boxes --------------------------------------------------------------------------
int web_have_webgl();
void web_frame_presented();
// Waits: IDOK, IDCANCEL, ... A null caption is the program's name, as the page gives it.
int web_box(const char* caption_utf8, const char* text_utf8, int type);

// ---- text through a 2D canvas ----------------------------------------------------------------------
void web_text_metrics(int* ascent, int* descent);
int web_text_width(const char* utf8);
// Coverage (0..255) of the text drawn with its baseline `ascent` rows down, into `width` x `height` bytes.
void web_text_render(const char* utf8, uint8_t* coverage, int width, int height, int ascent);
}

namespace win32 {
namespace web {
// The canvas stands for the one top-level window; w->native points here while it does.
extern char g_canvas;
inline bool IsCanvas(const detail::Window* w) { return w && w->native == &g_canvas; }
}  // namespace web
}  // namespace win32
