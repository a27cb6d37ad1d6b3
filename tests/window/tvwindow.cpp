// A tiny X client for the window tests:
//   tvwindow wait NAME SECONDS   waits until a top-level window titled NAME
//                                is mapped; prints its width and height
//   tvwindow close NAME          asks it to close as a window manager
//                                would: a WM_DELETE_WINDOW message
//   tvwindow lit NAME X Y W H [RRGGBB]
//                                prints how many pixels of the rectangle
//                                (window pixels) are not black, or with
//                                RRGGBB have exactly that colour
// (xdotool windowclose destroys the window instead, which kills the
// program before it can save anything.) Lit pixels tell a screen with a
// 3D view from a menu on black; a colour that the 3D view does not use
// finds text drawn in it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

// Windows come and go while the program starts; a window that vanished
// between listing and asking is simply not the one sought.
static int ignoreerror(Display *display, XErrorEvent *error)
{
	return 0;
}

static Window findwindow(Display *display, Window parent, const char *name)
{
	Window root, up, *children = nullptr;
	unsigned count = 0;
	if (!XQueryTree(display, parent, &root, &up, &children, &count))
		return 0;
	Window found = 0;
	for (unsigned n = 0; n < count && !found; n++) {
		char *title = nullptr;
		if (XFetchName(display, children[n], &title) && title) {
			XWindowAttributes attributes;
			if (strcmp(title, name) == 0 &&
				XGetWindowAttributes(display, children[n], &attributes) &&
				attributes.map_state == IsViewable)
				found = children[n];
			XFree(title);
		}
		if (!found)
			found = findwindow(display, children[n], name);
	}
	if (children)
		XFree(children);
	return found;
}

static int waitwindow(Display *display, const char *name, int seconds)
{
	for (int tries = 0; tries < seconds * 20; tries++) {
		Window window = findwindow(display, DefaultRootWindow(display), name);
		if (window) {
			XWindowAttributes attributes;
			XGetWindowAttributes(display, window, &attributes);
			printf("%d %d\n", attributes.width, attributes.height);
			return 0;
		}
		usleep(50000);
	}
	fprintf(stderr, "tvwindow: no window \"%s\" after %d s\n", name, seconds);
	return 1;
}

static int closewindow(Display *display, const char *name)
{
	Window window = findwindow(display, DefaultRootWindow(display), name);
	if (!window) {
		fprintf(stderr, "tvwindow: no window \"%s\"\n", name);
		return 1;
	}
	XEvent event;
	memset(&event, 0, sizeof event);
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
	event.xclient.data.l[1] = CurrentTime;
	XSendEvent(display, window, False, NoEventMask, &event);
	XSync(display, False);
	return 0;
}

// A colour of -1 counts every pixel that is not black.
static int countpixels(Display *display, const char *name, int x, int y, int width, int height,
	long colour)
{
	Window window = findwindow(display, DefaultRootWindow(display), name);
	XImage *image = window ? XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap)
		: nullptr;
	if (!image) {
		fprintf(stderr, "tvwindow: no image of \"%s\"\n", name);
		return 1;
	}
	long count = 0;
	for (int row = 0; row < image->height; row++)
		for (int column = 0; column < image->width; column++) {
			long pixel = (long)(XGetPixel(image, column, row) & 0xffffff);
			count += colour < 0 ? pixel != 0 : pixel == colour;
		}
	printf("%ld\n", count);
	XDestroyImage(image);
	return 0;
}

int main(int argc, char **argv)
{
	if (argc < 3 || (strcmp(argv[1], "lit") == 0 && argc < 7)) {
		fprintf(stderr, "usage: tvwindow wait NAME SECONDS | close NAME | lit NAME X Y W H [RRGGBB]\n");
		return 2;
	}
	Display *display = XOpenDisplay(nullptr);
	if (!display) {
		fprintf(stderr, "tvwindow: cannot open the display\n");
		return 2;
	}
	XSetErrorHandler(ignoreerror);
	int result = 2;
	if (strcmp(argv[1], "wait") == 0)
		result = waitwindow(display, argv[2], argc > 3 ? atoi(argv[3]) : 10);
	else if (strcmp(argv[1], "close") == 0)
		result = closewindow(display, argv[2]);
	else if (strcmp(argv[1], "lit") == 0)
		result = countpixels(display, argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
			atoi(argv[6]), argc > 7 ? (long)strtoul(argv[7], nullptr, 16) : -1);
	XCloseDisplay(display);
	return result;
}
