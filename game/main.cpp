#include "platform/files.h"

int main(int argc, char **argv)
{
	checkbigendian();
	get_paths();
	cd_cwd();
	return 0;
}
