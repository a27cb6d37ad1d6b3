// The X11 clipboard under the window fixture's Xvfb: other clients are
// forked helpers with their own display connection.
#include "platform/clipboard.h"
#include "platform/input.h"
#include "platform/menu.h"

// Before Xlib, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_syswm.h>
#include <X11/Xatom.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

static Display *display;  // the test's own connection
static Window gamewindow;
static Window wmwindow;  // the top-level window a window manager closes

// Keeps SDL's event pump going (so the clipboard filter answers requests)
// until fd has data or a few seconds have passed.
static int pumpuntilreadable(int fd)
{
	for (int n = 0; n < 500; n++) {
		SDL_Event event;
		while (SDL_PollEvent(&event)) {
		}
		struct pollfd p = {fd, POLLIN, 0};
		if (poll(&p, 1, 10) > 0)
			return 1;
	}
	return 0;
}

static Window helperwindow(Display *d)
{
	return XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
}

// A client that owns PRIMARY and answers requests with text, or never
// answers when text is null. Stop it with stopowner.
static pid_t startowner(const char *text)
{
	int ready[2];
	if (pipe(ready) != 0)
		abort();
	pid_t pid = fork();
	if (pid == 0) {
		alarm(20);
		Display *d = XOpenDisplay(nullptr);
		Window w = helperwindow(d);
		XSetSelectionOwner(d, XA_PRIMARY, w, CurrentTime);
		XSync(d, False);
		if (write(ready[1], "r", 1) != 1)
			_exit(1);
		for (;;) {
			XEvent e;
			XNextEvent(d, &e);
			if (e.type == SelectionClear)
				_exit(0);
			if (e.type != SelectionRequest || !text)
				continue;
			XSelectionRequestEvent *r = &e.xselectionrequest;
			XChangeProperty(d, r->requestor, r->property, XA_STRING, 8, PropModeReplace,
				(const unsigned char *)text, (int)strlen(text));
			XEvent reply = {};
			reply.xselection.type = SelectionNotify;
			reply.xselection.requestor = r->requestor;
			reply.xselection.selection = r->selection;
			reply.xselection.target = r->target;
			reply.xselection.property = r->property;
			reply.xselection.time = r->time;
			XSendEvent(d, r->requestor, False, 0, &reply);
			XFlush(d);
		}
	}
	char c;
	if (read(ready[0], &c, 1) != 1)
		abort();
	close(ready[0]);
	close(ready[1]);
	return pid;
}

static void stopowner(pid_t pid)
{
	kill(pid, SIGKILL);  // SDL catches SIGTERM, and the fork inherited that
	waitpid(pid, nullptr, 0);
}

// Another client asks the owner of PRIMARY for target; returns "none" when
// the answer names no property, else the bytes it received.
static std::string requestfromgame(const char *target)
{
	int result[2];
	if (pipe(result) != 0)
		abort();
	pid_t pid = fork();
	if (pid == 0) {
		alarm(20);
		close(result[0]);
		Display *d = XOpenDisplay(nullptr);
		Window w = helperwindow(d);
		Atom property = XInternAtom(d, "TV_TEST", False);
		XConvertSelection(d, XA_PRIMARY, XInternAtom(d, target, False), property, w,
			CurrentTime);
		XEvent e;
		do
			XNextEvent(d, &e);
		while (e.type != SelectionNotify);
		std::string got = "none";
		if (e.xselection.property != None) {
			Atom type;
			int format;
			unsigned long items, remaining;
			unsigned char *data;
			XGetWindowProperty(d, w, property, 0, 1024, False, AnyPropertyType, &type,
				&format, &items, &remaining, &data);
			got.assign((const char *)data, items);
			XFree(data);
		}
		if (write(result[1], got.data(), got.size()) < 0)
			_exit(1);
		_exit(0);
	}
	close(result[1]);
	std::string got;
	if (pumpuntilreadable(result[0])) {
		char buffer[256];
		ssize_t n;
		while ((n = read(result[0], buffer, sizeof buffer)) > 0)
			got.append(buffer, n);
	}
	close(result[0]);
	kill(pid, SIGKILL);  // SDL catches SIGTERM, and the fork inherited that
	waitpid(pid, nullptr, 0);
	return got;
}

static void setcutbuffer(const std::string &bytes)
{
	XChangeProperty(display, DefaultRootWindow(display), XA_CUT_BUFFER0, XA_STRING, 8,
		PropModeReplace, (const unsigned char *)bytes.data(), (int)bytes.size());
	XSync(display, False);
}

static std::string paste()
{
	char *buffer = nullptr;
	int length = getclipboard(&buffer);
	std::string text(buffer ? buffer : "", length);
	free(buffer);
	return text;
}

class Clipboard : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
		ASSERT_NE(SDL_SetVideoMode(64, 64, 32, 0), nullptr) << SDL_GetError();
		ASSERT_EQ(SDLScrap_Init(), 0) << SDL_GetError();
		SDL_SysWMinfo info;
		SDL_VERSION(&info.version);
		ASSERT_EQ(SDL_GetWMInfo(&info), 1);
		gamewindow = info.info.x11.window;
		wmwindow = info.info.x11.wmwindow;
		display = XOpenDisplay(nullptr);
		ASSERT_NE(display, nullptr);
	}
	static void TearDownTestSuite()
	{
		XCloseDisplay(display);
		SDL_Quit();
	}
	void SetUp() override
	{
		XSetSelectionOwner(display, XA_PRIMARY, None, CurrentTime);
		XSync(display, False);
	}
};

TEST_F(Clipboard, PastesAnotherClientsSelectionWithLineBreaksAsLF)
{
	pid_t owner = startowner("ab\r\ncd");
	EXPECT_EQ(paste(), std::string("ab\n\ncd\0", 7));
	stopowner(owner);
}

TEST_F(Clipboard, WithoutAnOwnerPastesTheCutBuffer)
{
	setcutbuffer("hello\rworld");
	EXPECT_EQ(paste(), std::string("hello\nworld\0", 12));
	XDeleteProperty(display, DefaultRootWindow(display), XA_CUT_BUFFER0);
	XSync(display, False);
	EXPECT_EQ(paste(), "");
}

TEST_F(Clipboard, AnOwnerThatNeverAnswersGivesNothing)
{
	pid_t owner = startowner(nullptr);
	Uint32 start = SDL_GetTicks();
	EXPECT_EQ(paste(), "");
	EXPECT_LT(SDL_GetTicks() - start, 5000u);
	stopowner(owner);
}

// A window manager's close, as another client sends it.
static void sendclose()
{
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = wmwindow;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
	XSendEvent(display, wmwindow, False, NoEventMask, &event);
	XSync(display, False);
}

// Pumps for up to two seconds; 1 when a close of the window arrives.
// Counts the user events met on the way.
static int quitarrives(int *userevents)
{
	for (int n = 0; n < 200; n++) {
		SDL_Event event;
		while (SDL_PollEvent(&event)) {
			*userevents += event.type == SDL_USEREVENT;
			if (event.type == SDL_QUIT)
				return 1;
		}
		SDL_Delay(10);
	}
	return 0;
}

// The game opens the clipboard after its window: a close made in between
// must still reach the game's pump, and so must the events (here a close
// and an event of the program's own) taken while a paste waits.
TEST_F(Clipboard, NoEventIsSwallowed)
{
	int userevents = 0;
	sendclose();
	ASSERT_EQ(SDLScrap_Init(), 0);
	EXPECT_TRUE(quitarrives(&userevents));

	pid_t owner = startowner(nullptr);
	SDL_Event user = {};
	user.type = SDL_USEREVENT;
	SDL_PushEvent(&user);
	sendclose();
	EXPECT_EQ(paste(), "");
	stopowner(owner);
	EXPECT_TRUE(quitarrives(&userevents));
	EXPECT_EQ(userevents, 1);
}

TEST_F(Clipboard, OurCopyIsServedToOthersFromTheCutBuffer)
{
	SDLScrap_CopyToClipboard(SCRAP_TEXT, 4, "x\ryz");
	EXPECT_EQ(XGetSelectionOwner(display, XA_PRIMARY), gamewindow);
	EXPECT_EQ(SDLScrap_Lost(), 0);
	// Owning PRIMARY ourselves, the paste reads the cut buffer.
	EXPECT_STREQ(paste().c_str(), "x\nyz");
	EXPECT_EQ(requestfromgame("STRING"), "x\nyz");  // without the zero byte
	EXPECT_EQ(requestfromgame("UTF8_STRING"), "none");
	XSetSelectionOwner(display, XA_PRIMARY, None, CurrentTime);
	XSync(display, False);
	EXPECT_EQ(SDLScrap_Lost(), 1);
}

// Ctrl+V in a text box types the pasted text; the break at the end of a
// copied line or a tab in it must not act as Backspace or Delete, and DEL
// and the control characters 128 to 159 are taken no more than from keys.
TEST_F(Clipboard, PastedControlCharactersTypeNothing)
{
	static char name[32] = "ok";
	auto frame = [](int ctrlv) {
		memcpy(prevkeyboard, keyboard, sizeof keyboard);
		memset(keyboard, 0, sizeof keyboard);
		keyboard[KEY_LCTRL] = keyboard['v'] = ctrlv;
		prevmouse = mouse;
		numofmenuitems = 0;
		createmenuitem("Name            ", 0, 0, 16, 1, 1, 1, 1);
		setmenuitem(MENUSET_STRINGBOX, name, static_cast<int>(sizeof name));
		checkmenuitems();
	};
	setcutbuffer("ab\tc\x7f\x80\x9f\xb4\r\n");
	resetmenuitems();
	menuitem[0].active = 1;
	frame(0);  // the edit opens with all of "ok" selected
	frame(1);
	EXPECT_STREQ(name, "abc\xb4");
	EXPECT_EQ(menuitem[0].active, 1);
	resetmenuitems();
}

TEST(ClipboardForms, OtherTypesNeverCopyMoreThanArrived)
{
	char wire[16];
	ASSERT_EQ(convert_data(7, wire, "abc", 3), 7);
	char out[16] = {};
	EXPECT_EQ(convert_scrap(7, out, wire, 7), 3);
	EXPECT_EQ(std::string(out, 3), "abc");
	// A length field claiming more than arrived, fewer bytes than the field
	// itself, or a negative length.
	int32_t huge = 1 << 30;
	memcpy(wire, &huge, 4);
	EXPECT_EQ(convert_scrap(7, out, wire, 7), 3);
	EXPECT_EQ(convert_scrap(7, out, wire, 2), 0);
	int32_t negative = -5;
	memcpy(wire, &negative, 4);
	EXPECT_EQ(convert_scrap(7, out, wire, 7), 0);
	EXPECT_EQ(convert_data(1, nullptr, "", -1), 0);
}
