// Runs a save with the process's file size limit lowered, so its writes
// fail part way as on a full disk.
#pragma once

#include <csignal>
#include <sys/resource.h>

template <typename F>
int savewithfilelimit(rlim_t bytes, F save)
{
	void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
	struct rlimit limit;
	getrlimit(RLIMIT_FSIZE, &limit);
	struct rlimit small = limit;
	small.rlim_cur = bytes;
	setrlimit(RLIMIT_FSIZE, &small);
	int result = save();
	setrlimit(RLIMIT_FSIZE, &limit);
	signal(SIGXFSZ, previous);
	return result;
}
