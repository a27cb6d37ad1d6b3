#include "platform/files.h"
#include "platform/options.h"
#include "platform/parser.h"

#include "tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>

static void settext(const char *text)
{
	copystring(parser.text, text, PARSERTEXTSIZE);
	parser.len = (int)strlen(parser.text);
	parser.pos = 0;
}

TEST(Parser, FindsKeysAnywhereAndReadsNumbers)
{
	settext("screenwidth=1024\r\nscreenheight=768\r\n");
	EXPECT_EQ(findstring("screenheight="), 1);
	EXPECT_EQ(getint(), 768);
	resetparser();
	EXPECT_EQ(findstring("width="), 1);  // inside the longer key
	EXPECT_EQ(getint(), 1024);

	settext("textcolor1=0.500000\r\n");
	EXPECT_EQ(findstring("textcolor1="), 1);
	EXPECT_EQ(getfloat(), 0.5f);

	settext("a=-12.75e3 b=5-3 c=+7");
	findstring("a=");
	EXPECT_EQ(getfloat(), -12.75f);  // the exponent ends the number
	findstring("b=");
	EXPECT_EQ(getint(), 5);
	findstring("c=");
	EXPECT_EQ(getint(), 7);
}

TEST(Parser, MissingKeysAndNumbers)
{
	// An empty value takes the next number in the text.
	settext("screenwidth=\r\nscreenheight=768\r\n");
	findstring("screenwidth=");
	EXPECT_EQ(getint(), 768);

	settext("key=");
	EXPECT_EQ(findstring("key="), 0);  // at the very end
	EXPECT_GT(parser.pos, parser.len - 1);
	EXPECT_EQ(getint(), 0);
	settext("abc");
	EXPECT_EQ(findstring("zzz"), 0);

	int value = 42;
	settext("version=\r\n");
	EXPECT_EQ(optionreadint(&value, "version="), 0);
	EXPECT_EQ(value, 42);
	settext("version=--\r\n");
	EXPECT_EQ(optionreadint(&value, "version="), 0);
	EXPECT_EQ(value, 42);
	settext("version=x");
	EXPECT_EQ(optionreadint(&value, "version="), 0);
	EXPECT_EQ(value, 42);
	float f = 0.25f;
	settext("v=.");
	EXPECT_EQ(optionreadfloat(&f, "v="), 0);
	EXPECT_EQ(f, 0.25f);

	settext("big=99999999999999999999 small=-99999999999999999999");
	EXPECT_EQ(optionreadint(&value, "big="), 1);
	EXPECT_EQ(value, 2147483647);
	EXPECT_EQ(optionreadint(&value, "small="), 1);
	EXPECT_EQ(value, -2147483647 - 1);
	EXPECT_EQ(parser.pos, 0);
}

TEST(Parser, GetStringAndLongTokensStayBounded)
{
	settext("name=0123456789012345678901234567890123456789\r\nnext");
	findstring("name=");
	char buffer[32];
	getstring(buffer, 32);
	EXPECT_EQ(strlen(buffer), 31u);
	EXPECT_EQ(strncmp(buffer, "0123456789", 10), 0);

	settext("a=12\nb");
	findstring("a=");
	getstring(buffer, 32);
	EXPECT_STREQ(buffer, "12");
	EXPECT_EQ(parser.text[parser.pos], '\n');

	std::string digits(1000, '1');
	settext(("n=" + digits).c_str());
	findstring("n=");
	getint();
	EXPECT_EQ(strlen(parser.token), (size_t)PARSERTOKENSIZE - 1);
	// The rest of the long number is not taken as the next one.
	settext(("n=" + digits + " m=5").c_str());
	findstring("n=");
	EXPECT_EQ(getint(), 2147483647);
	EXPECT_EQ(getint(), 5);

	// A float too long to hold is no number: the setting keeps its value
	// instead of turning infinite.
	float f = 0.5f;
	settext(("textcolor1=" + std::string(60, '9') + "\r\n").c_str());
	EXPECT_EQ(optionreadfloat(&f, "textcolor1="), 0);
	EXPECT_EQ(f, 0.5f);
}

TEST(Parser, LoadTextFile)
{
	tempfolder folder;
	entertempfolder(&folder);
	// A file larger than the buffer is read up to it, and stays terminated.
	std::string big(PARSERTEXTSIZE + 10, 'x');
	big.replace(PARSERTEXTSIZE - 20, 8, "version=");
	big.replace(PARSERTEXTSIZE - 12, 1, "7");
	writefile("big.txt", big);
	loadtextfile("big.txt");
	EXPECT_EQ(parser.len, PARSERTEXTSIZE - 1);
	EXPECT_EQ(parser.text[PARSERTEXTSIZE - 1], 0);
	int version = 0;
	EXPECT_EQ(optionreadint(&version, "version="), 1);
	EXPECT_EQ(version, 7);

	loadtextfile("missing.txt");
	EXPECT_EQ(parser.len, 0);
	EXPECT_EQ(optionreadint(&version, "version="), 0);

	ASSERT_TRUE(opensavefile("out.txt"));
	int i = -3;
	float f = 0.35f;
	optionwriteint(&i, "i=");
	optionwritefloat(&f, "f=");
	optionwritestring("text", "s=", 99);
	ASSERT_TRUE(closesavefile("out.txt"));
	EXPECT_EQ(readfile("out.txt"), "i=-3\r\nf=0.350000\r\ns=text\r\n");
	loadtextfile("out.txt");
	float back = 0;
	EXPECT_EQ(optionreadfloat(&back, "f="), 1);
	EXPECT_EQ(back, 0.35f);
	char s[8];
	EXPECT_EQ(optionreadstring(s, "s=", sizeof s), 1);
	EXPECT_STREQ(s, "text");
	leavetempfolder(&folder);
}
