#include "editor/cost.h"

#include "editor/editor.h"
#include "platform/vector.h"
#include "world/level.h"
#include "world/materials.h"

int calculatebridgecost(int count)
{
	if (count) {
		for (int i = 0; i < MATERIALCOUNTS; i++)
			editor.materialcount[i] = 0;
	}
	float sum = 0.0f;
	for (int i = 0; i < numoflinks; i++) {
		const beamstruct *b = &beam[i];
		// Links only come from the editor and from validated files, so the
		// type and both ends are in range.
		if (count) {
			int material = b->type > 9 ? b->type - LINKTHIN : b->type;
			if (material >= 0 && material < MATERIALCOUNTS)
				editor.materialcount[material]++;
		}
		// A material that costs nothing adds nothing, also when its link is
		// so long that its length overflows: endless times 0 would make the
		// sum, and so the whole bridge, no number.
		float cost = linktype[b->type].cost;
		if (cost == 0.0f)
			continue;
		vector3 d;
		subtractvectors(&d, &point[b->point2].position, &point[b->point1].position);
		float price = vectorlength(&d) * cost;
		sum += price;
		if (b->deck)
			sum += price * 2.0f;
	}
	// Points far out of any level can push the sum past what an int holds.
	if (!(sum < 2147483520.0f))
		return sum != sum ? 0 : 2147483520;
	return (int)sum;
}
