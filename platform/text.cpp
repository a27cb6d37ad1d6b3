// The format-code expansion and alignment of drawtext, kept free of OpenGL
// so that both can be checked without a window.
#include "platform/text.h"

#include <cstdio>
#include <cstring>

char textstring2[TEXTLINESIZE];
char textstring3[TEXTLINESIZE];

// Appends as much of text as the line has room for; returns the new length.
static int appendtext(int length, const char *text)
{
	while (*text && length < TEXTLINESIZE - 1)
		textstring2[length++] = *text++;
	textstring2[length] = 0;
	return length;
}

// Thousands separated by commas; negative values get none.
static void formatthousands(int value)
{
	char part[16];
	textstring3[0] = 0;
	if (value > 999999) {
		snprintf(part, sizeof part, "%d,", value / 1000000);
		strcat(textstring3, part);
	}
	if (value > 999) {
		if (value > 999999)
			snprintf(part, sizeof part, "%.3d,", value / 1000 % 1000);
		else
			snprintf(part, sizeof part, "%d,", value / 1000);
		strcat(textstring3, part);
	}
	if (value > 999)
		snprintf(part, sizeof part, "%.3d", value % 1000);
	else
		snprintf(part, sizeof part, "%d", value);
	strcat(textstring3, part);
}

// Expands one value code into textstring3; returns 0 for a code that takes
// no value.
static int expandvalue(char code, va_list *args)
{
	switch (code) {
	case 'i':
		snprintf(textstring3, TEXTLINESIZE, "%d", va_arg(*args, int));
		return 1;
	case 'I':
		formatthousands(va_arg(*args, int));
		return 1;
	case 'u':
		snprintf(textstring3, TEXTLINESIZE, "%u", va_arg(*args, unsigned));
		return 1;
	case 'f':
		snprintf(textstring3, TEXTLINESIZE, "%f", va_arg(*args, double));
		return 1;
	case 'c':
		textstring3[0] = static_cast<char>(va_arg(*args, int));
		textstring3[1] = 0;
		return 1;
	case 's': {
		const char *s = va_arg(*args, const char *);
		snprintf(textstring3, TEXTLINESIZE, "%s", s ? s : "");
		return 1;
	}
	case 'x':
		snprintf(textstring3, TEXTLINESIZE, "%X", va_arg(*args, int));
		return 1;
	}
	return 0;
}

int expandtext(const char *format, va_list args)
{
	va_list local;
	va_copy(local, args);
	int length = 0;
	textstring2[0] = 0;
	for (int i = 0; format[i] && length < TEXTLINECUT; i++) {
		if (format[i] != '/') {
			char single[2] = {format[i], 0};
			length = appendtext(length, single);
			continue;
		}
		i++;
		if (!format[i])
			break;  // a slash at the very end is dropped
		if (expandvalue(format[i], &local)) {
			length = appendtext(length, textstring3);
		} else {
			char single[2] = {format[i], 0};
			length = appendtext(length, single);
		}
	}
	va_end(local);
	return length;
}

int formattext(const char *format, ...)
{
	va_list args;
	va_start(args, format);
	int length = expandtext(format, args);
	va_end(args);
	return length;
}

// Only a non-negative coordinate carries flags: a negative one (an item
// reaching past the left or top edge) has those bits set by its sign.
int alignx(int x, int length, int size)
{
	if (x < 0)
		return x;
	int anchor = x & 0xFFFF;
	if (x & ALIGNCENTER)
		return anchor - length * size / 2;
	if (x & ALIGNRIGHT)
		return anchor - length * size;
	return x;
}

int aligny(int y, int size)
{
	if (y < 0)
		return y;
	int anchor = y & 0xFFFF;
	if (y & ALIGNCENTER)
		return anchor - size / 2;
	if (y & ALIGNBOTTOM)
		return anchor - size;
	return y;
}
