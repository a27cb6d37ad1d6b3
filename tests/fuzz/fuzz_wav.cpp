#include "fuzzfile.h"
#include "sound/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	enterfuzzfolder();
	writefuzzfile("fuzz.wav", data, size);
	wavstruct wav;
	if (readwav("fuzz.wav", &wav)) {
		fuzzcheck(wav.bits == 8 || wav.bits == 16);
		// ADPCM decodes to more bytes than the file holds: bound by the limit.
		fuzzcheck(wav.length > 0 && wav.length <= MAXWAVBYTES && wav.length % (wav.bits / 8) == 0);
		fuzzcheck(wav.rate > 0 && wav.rate <= MAXWAVRATE);
		fuzzcheck(wav.data != nullptr);
		freewav(&wav);
	} else {
		fuzzcheck(wav.data == nullptr && wav.length == 0);
	}
	return 0;
}
