// The X11 clipboard through the display and window that SDL reports.
#include "platform/clipboard.h"

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xatom.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static Display *SDL_Display;
static Window SDL_Window;
static void (*Lock_Display)(void);
static void (*Unlock_Display)(void);
static int selectionanswered;  // set by the filter when our request is answered

// An owner that never answers must not freeze the game.
constexpr Uint32 PASTETIMEOUT = 2000;  // ms

static Atom convert_format(int type)
{
	if (type == SCRAP_TEXT)
		return XA_STRING;
	char name[32];
	snprintf(name, sizeof name, "%s%08lx", "SDL_scrap_0x", (unsigned long)type);
	return XInternAtom(SDL_Display, name, False);
}

int convert_data(int type, char *destination, const char *source, int length)
{
	if (length < 0 || length > INT32_MAX - 4)
		return 0;
	if (type == SCRAP_TEXT) {
		if (destination) {
			for (int i = 0; i < length; i++)
				destination[i] = source[i] == '\r' ? '\n' : source[i];
			destination[length] = 0;
		}
		return length + 1;
	}
	if (destination) {
		int32_t stored = length;
		memcpy(destination, &stored, 4);
		memcpy(destination + 4, source, length);
	}
	return length + 4;
}

int convert_scrap(int type, char *destination, const char *source, int count)
{
	if (type == SCRAP_TEXT) {
		int length = count != 0 ? count : (int)strlen(source);
		if (destination) {
			for (int i = 0; i < length; i++) {
				if (source[i] == '\r') {
					printf("*is this reached?*\n");
					destination[i] = '\n';
				} else {
					destination[i] = source[i];
				}
			}
			destination[length] = 0;
		}
		return length + 1;
	}
	// The length field comes from another client: never copy past what
	// actually arrived.
	if (count < 4)
		return 0;
	int32_t stored;
	memcpy(&stored, source, 4);
	int length = stored < 0 ? 0 : stored;
	if (length > count - 4)
		length = count - 4;
	if (destination)
		memcpy(destination, source + 4, length);
	return length;
}

// A requestor may vanish before we answer; Xlib's default handler would
// end the game over that.
static int ignorexerror(Display *display, XErrorEvent *error)
{
	return 0;
}

// Answers another client's request for our selection from CUT_BUFFER0.
// Runs inside SDL's event pump, without the display lock.
static void answerrequest(const XSelectionRequestEvent *request)
{
	// Clients of the oldest convention name no property: the target serves.
	Atom property = request->property != None ? request->property : request->target;
	XEvent reply;
	memset(&reply, 0, sizeof reply);
	reply.xselection.type = SelectionNotify;
	reply.xselection.display = request->display;
	reply.xselection.requestor = request->requestor;
	reply.xselection.selection = request->selection;
	reply.xselection.target = request->target;
	reply.xselection.property = None;
	reply.xselection.time = request->time;

	XSync(SDL_Display, False);
	XErrorHandler previous = XSetErrorHandler(ignorexerror);
	Atom type;
	int format;
	unsigned long items, remaining;
	unsigned char *data = nullptr;
	if (XGetWindowProperty(SDL_Display, DefaultRootWindow(SDL_Display), XA_CUT_BUFFER0, 0,
			0x1FFFFFFF, False, request->target, &type, &format, &items, &remaining,
			&data) == Success) {
		if (type == request->target && data) {
			// Our own text ends in a zero byte that other clients do not expect.
			if (type == XA_STRING && format == 8 && items > 0 && data[items - 1] == 0)
				items--;
			XChangeProperty(SDL_Display, request->requestor, property, type, format,
				PropModeReplace, data, (int)items);
			reply.xselection.property = property;
		}
		if (data)
			XFree(data);
	}
	XSendEvent(SDL_Display, request->requestor, False, 0, &reply);
	XSync(SDL_Display, False);
	XSetErrorHandler(previous);
}

// SDL 1.2 hands a window-manager event a pointer into its own stack
// frame, so the X event is only read here, while SDL is still delivering
// it, never after it has been queued.
static int clipboard_filter(const SDL_Event *event)
{
	if (event->type != SDL_SYSWMEVENT)
		return 1;
	const XEvent *x = &event->syswm.msg->event.xevent;
	if (x->type == SelectionRequest)
		answerrequest(&x->xselectionrequest);
	if (x->type == SelectionNotify && x->xselection.requestor == SDL_Window)
		selectionanswered = 1;
	return 1;
}

// Events the clipboard takes from SDL's queue, put back afterwards for the
// program's own pump. Window-manager events are not kept (their X event
// lives only while SDL delivers it), nor pointer motion, which the program
// reads as state; a close of the window is kept even when the rest is full.
constexpr int MAXHELDEVENTS = 128;
static SDL_Event heldevent[MAXHELDEVENTS];
static int numofheldevents;

static void holdevent(const SDL_Event *event)
{
	if (event->type == SDL_SYSWMEVENT || event->type == SDL_MOUSEMOTION)
		return;
	if (numofheldevents < MAXHELDEVENTS)
		heldevent[numofheldevents++] = *event;
	else if (event->type == SDL_QUIT)
		heldevent[MAXHELDEVENTS - 1] = *event;
}

static void putbackevents()
{
	for (int n = 0; n < numofheldevents; n++)
		SDL_PushEvent(&heldevent[n]);
	numofheldevents = 0;
}

// Setting an event state or filter makes SDL 1.2 throw away every pending
// event, and a close of the window can be among them when the clipboard
// starts just after the window opened.
static void setfilterkeepingevents()
{
	SDL_Event event;
	while (SDL_PollEvent(&event))
		holdevent(&event);
	SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
	SDL_SetEventFilter(clipboard_filter);
	putbackevents();
}

int SDLScrap_Init()
{
	SDL_SetError("SDL is not running on known window manager");
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if (SDL_GetWMInfo(&info) <= 0)
		return -1;
	if (info.subsystem != SDL_SYSWM_X11) {
		SDL_SetError("SDL is not running on X11");
		return -1;
	}
	SDL_Display = info.info.x11.display;
	SDL_Window = info.info.x11.window;
	Lock_Display = info.info.x11.lock_func;
	Unlock_Display = info.info.x11.unlock_func;
	setfilterkeepingevents();
	return 0;
}

int SDLScrap_Lost()
{
	if (!SDL_Display)
		return 1;
	Lock_Display();
	int lost = XGetSelectionOwner(SDL_Display, XA_PRIMARY) != SDL_Window;
	Unlock_Display();
	return lost;
}

void SDLScrap_CopyToClipboard(int type, int length, const char *source)
{
	if (!SDL_Display)
		return;
	int size = convert_data(type, nullptr, source, length);
	if (size <= 0)
		return;
	char *data = (char *)malloc(size);
	if (!data)
		return;
	Atom format = convert_format(type);
	Lock_Display();
	convert_data(type, data, source, length);
	XChangeProperty(SDL_Display, DefaultRootWindow(SDL_Display), XA_CUT_BUFFER0,
		format, 8, PropModeReplace, (unsigned char *)data, size);
	Unlock_Display();
	free(data);
	if (SDLScrap_Lost()) {
		Lock_Display();
		XSetSelectionOwner(SDL_Display, XA_PRIMARY, SDL_Window, CurrentTime);
		Unlock_Display();
	}
}

// Waits for the owner's answer to our request; the events taken meanwhile
// (keys, focus, a close of the window) are put back for the program's own
// pump. 0 when the owner did not answer in time.
static int waitforselection()
{
	Uint32 start = SDL_GetTicks();
	while (!selectionanswered && SDL_GetTicks() - start < PASTETIMEOUT) {
		SDL_Event event;
		if (SDL_PollEvent(&event))
			holdevent(&event);
		else
			SDL_Delay(1);
	}
	putbackevents();
	return selectionanswered;
}

// Copies the property's bytes of the wanted type into the caller's buffer;
// returns the delivered length.
static int readproperty(int type, Window owner, Atom property, Atom format, char **buffer)
{
	Atom seltype;
	int selformat;
	unsigned long items, remaining;
	unsigned char *data = nullptr;
	int length = 0;
	Lock_Display();
	if (XGetWindowProperty(SDL_Display, owner, property, 0, 0x1FFFFFFF, False, format,
			&seltype, &selformat, &items, &remaining, &data) == Success) {
		// Only bytes: a 16- or 32-bit property would need other counts.
		if (data && seltype == format && selformat == 8 && items < 0x1FFFFFFF) {
			length = convert_scrap(type, nullptr, (char *)data, (int)items);
			char *resized = length > 0 ? (char *)realloc(*buffer, length) : nullptr;
			if (resized) {
				*buffer = resized;
				convert_scrap(type, resized, (char *)data, (int)items);
			} else {
				length = 0;
			}
		}
		if (data)
			XFree(data);
	}
	Unlock_Display();
	return length;
}

void SDLScrap_PasteFromClipboard(int type, int *length, char **buffer)
{
	*length = 0;
	if (!SDL_Display)
		return;
	Atom format = convert_format(type);
	Lock_Display();
	Window owner = XGetSelectionOwner(SDL_Display, XA_PRIMARY);
	Unlock_Display();
	Atom property;
	if (owner != None && owner != SDL_Window) {
		Lock_Display();
		property = XInternAtom(SDL_Display, "SDL_SELECTION", False);
		selectionanswered = 0;
		XConvertSelection(SDL_Display, XA_PRIMARY, format, property, SDL_Window, CurrentTime);
		Unlock_Display();
		if (!waitforselection())
			return;
		owner = SDL_Window;
	} else {
		owner = DefaultRootWindow(SDL_Display);
		property = XA_CUT_BUFFER0;
	}
	*length = readproperty(type, owner, property, format, buffer);
}

int getclipboard(char **buffer)
{
	int length;
	SDLScrap_PasteFromClipboard(SCRAP_TEXT, &length, buffer);
	// Line breaks arrive as LF whatever the other client sent.
	for (int i = 0; i < length; i++)
		if ((*buffer)[i] == '\r')
			(*buffer)[i] = '\n';
	return length;
}
