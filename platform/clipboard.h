// The X11 clipboard, pasted into text boxes.
#pragma once

// 0 when the clipboard is ready, -1 when not (SDL's error text says why).
int SDLScrap_Init();
// Hands the caller a heap buffer with the clipboard's text (CR turned into
// LF) and returns its size with the terminating zero; 0 when there is
// nothing, leaving *buffer alone. The caller frees the buffer.
int getclipboard(char **buffer);
