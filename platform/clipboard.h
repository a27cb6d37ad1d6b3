// The X11 clipboard. Text boxes paste the PRIMARY selection, or the root
// window's CUT_BUFFER0 when no other client owns it; our own selection is
// answered to other clients from CUT_BUFFER0.
#pragma once

constexpr int SCRAP_TEXT = 1;  // any other type travels under its own atom

// Takes the display and window from SDL and installs the event filter that
// answers selection requests: 0 when ready, -1 when not (SDL's error text
// says why). Call once, after the window exists.
int SDLScrap_Init();
// 1 when another client (or nobody) owns PRIMARY, 0 when this window does.
int SDLScrap_Lost();
// Puts length bytes of source on CUT_BUFFER0 and claims PRIMARY.
void SDLScrap_CopyToClipboard(int type, int length, const char *source);
// Resizes *buffer (heap, may be null) to the delivered bytes and fills it;
// *length is their count, 0 when nothing came.
void SDLScrap_PasteFromClipboard(int type, int *length, char **buffer);
// Hands the caller a heap buffer with the clipboard's text (CR turned into
// LF) and returns its size with the terminating zero; 0 when there is
// nothing, leaving *buffer alone. The caller frees the buffer.
int getclipboard(char **buffer);

// The wire form: text with CR turned into LF and a zero byte after it;
// other types a 4-byte length, then the bytes. Both return the size and
// write only when destination is not null.
int convert_data(int type, char *destination, const char *source, int length);
// The delivered form of count received bytes (text: a count of 0 means up
// to the source's zero). A length field that claims more than arrived
// delivers only what arrived.
int convert_scrap(int type, char *destination, const char *source, int count);
