// The game data generator: fills the start folder named on the command line
// (the current folder without one) with everything the game reads. Each
// call returns the number of files it could not write.
#include "platform/files.h"
#include "tools/gen/gendata.h"
#include "tools/gen/genfont.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv)
{
	checkbigendian();
	if (argc > 1) {
		mkdir(argv[1], 0777);
		if (chdir(argv[1]) != 0) {
			fprintf(stderr, "cannot enter %s\n", argv[1]);
			return 1;
		}
	}
	int failed = 0;
	failed += generatefont(FONTFILE);
	failed += generateicon();
	failed += generatetextures();
	failed += generatebackdrops();
	failed += generatesounds();
	failed += generatemodels();
	failed += generatelevels();
	if (failed)
		fprintf(stderr, "%d files could not be written\n", failed);
	return failed ? 1 : 0;
}
