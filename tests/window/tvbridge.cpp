// Prints the point and link counts of a bridge file for the window tests:
//   tvbridge FOLDER NAME   loads FOLDER/NAME.tvb; prints "points links"
#include <cstdio>
#include <unistd.h>

#include "platform/files.h"
#include "world/level.h"

int main(int argc, char **argv)
{
	if (argc != 3 || chdir(argv[1]) != 0)
		return 2;
	checkbigendian();
	if (!loadlevel(argv[2], 1))
		return 1;
	printf("%d %d\n", numofpoints, numoflinks);
	return 0;
}
