// A tiny X client for the tutorial's window test:
//   tvtint NAME X Y W H RRGGBB   prints how many pixels of the rectangle
//                                (window pixels) of the window titled NAME
//                                have exactly the colour RRGGBB
// so a test can find text drawn in a colour that the 3D view does not use.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
			if (strcmp(title, name) == 0)
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

int main(int argc, char **argv)
{
	if (argc < 7) {
		fprintf(stderr, "usage: tvtint NAME X Y W H RRGGBB\n");
		return 2;
	}
	unsigned long want = strtoul(argv[6], nullptr, 16);
	Display *display = XOpenDisplay(nullptr);
	if (!display) {
		fprintf(stderr, "tvtint: cannot open the display\n");
		return 2;
	}
	XSetErrorHandler(ignoreerror);
	Window window = findwindow(display, DefaultRootWindow(display), argv[1]);
	XImage *image = window ? XGetImage(display, window, atoi(argv[2]), atoi(argv[3]),
		atoi(argv[4]), atoi(argv[5]), AllPlanes, ZPixmap) : nullptr;
	if (!image) {
		fprintf(stderr, "tvtint: no image of \"%s\"\n", argv[1]);
		XCloseDisplay(display);
		return 1;
	}
	long matched = 0;
	for (int y = 0; y < image->height; y++)
		for (int x = 0; x < image->width; x++)
			matched += (XGetPixel(image, x, y) & 0xffffff) == want;
	printf("%ld\n", matched);
	XDestroyImage(image);
	XCloseDisplay(display);
	return 0;
}
