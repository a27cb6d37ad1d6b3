#include "fuzzfile.h"
#include "world/model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	enterfuzzfolder();
	writefuzzfile("fuzz.tvo", data, size);
	static modelstruct model;
	const float *vertices = model.vertex;
	if (readmodelfile(&model, "fuzz") == MODELLOADED) {
		for (int i = 0; i < 3 * model.numofpolygons; i++)
			fuzzcheck(model.polygon[i] >= 0 && model.polygon[i] < model.numofvertices);
	} else {
		fuzzcheck(model.vertex == vertices);
	}
	return 0;
}
