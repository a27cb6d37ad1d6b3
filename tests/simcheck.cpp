#include "tests/simcheck.h"

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "world/bond.h"
#include "world/cdquad.h"
#include "world/particle.h"
#include "world/vehicle.h"

static std::string problem(const char *what, int index)
{
	return std::string(what) + " (index " + std::to_string(index) + ")";
}

static bool finite(const vector3 &v)
{
	return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

static std::string checkparticles()
{
	if (numofparticles < 0 || numofparticles > PARTICLELIMIT)
		return problem("particle count out of range", numofparticles);
	for (int i = 0; i < numofparticles; i++) {
		const particlestruct &p = particle[i];
		if (!finite(p.position) || !finite(p.prevposition) || !finite(p.velocity) ||
			!finite(p.savedvelocity))
			return problem("particle not finite", i);
		if (!(p.mass > 0.0f) || !std::isfinite(p.mass))
			return problem("particle mass not positive", i);
		if (p.objectnum < -1 || p.objectnum >= numofobjects)
			return problem("particle owner out of range", i);
	}
	return "";
}

static std::string checkbondrecords()
{
	if (numofbonds < 0 || numofbonds > MAXBONDS)
		return problem("bond count out of range", numofbonds);
	std::vector<int> count(numofparticles, 0);
	std::set<std::pair<int, int>> pairs;
	for (int i = 0; i < numofbonds; i++) {
		const bondstruct &b = bond[i];
		if (b.particle1 < 0 || b.particle1 >= numofparticles || b.particle2 < 0 ||
			b.particle2 >= numofparticles)
			return problem("bond end out of range", i);
		if (b.particle1 == b.particle2)
			return problem("bond joins a particle to itself", i);
		if (!pairs.insert({std::min(b.particle1, b.particle2), std::max(b.particle1, b.particle2)})
				 .second)
			return problem("duplicate bond", i);
		if (b.state != BOND_LIVE)
			return problem("broken bond left in the array", i);
		if (b.cdquadnum < -1 || b.cdquadnum >= numofcdquads)
			return problem("bond quad out of range", i);
		if (!std::isfinite(b.restlength) || !(b.stress >= 0.0f && b.stress <= 1.0f) ||
			!(b.peakstress >= 0.0f && b.peakstress <= 1.0f))
			return problem("bond length or stress not sane", i);
		count[b.particle1]++;
		count[b.particle2]++;
	}
	for (int i = 0; i < numofparticles; i++) {
		if (particle[i].bondcount != count[i])
			return problem("particle bond count wrong", i);
	}
	return "";
}

static std::string checkquads()
{
	if (numofcdquads < 0 || numofcdquads > MAXCDQUADS)
		return problem("quad count out of range", numofcdquads);
	for (int i = 0; i < numofcdquads; i++) {
		const cdquadstruct &q = cdquad[i];
		for (int k = 0; k < 4; k++) {
			int c = q.particlenum[k];
			if (c < 0 || c >= MAXPARTICLES)
				return problem("quad corner outside the array", i);
			if (q.active && c >= numofparticles)
				return problem("active quad corner out of range", i);
		}
	}
	return "";
}

static std::string checkobjects()
{
	if (numofobjects < 0 || numofobjects > MAXOBJECTS)
		return problem("vehicle count out of range", numofobjects);
	for (int n = 0; n < numofobjects; n++) {
		const objectstruct &o = object[n];
		if (o.numofparticles < 0 || o.numofparticles > OBJECTPARTICLES)
			return problem("vehicle particle count out of range", n);
		for (int k = 0; k < o.numofparticles; k++) {
			int p = o.particlelist[k];
			if (p < 0 || p >= numofparticles || particle[p].objectnum != n)
				return problem("vehicle particle list wrong", n);
		}
	}
	return "";
}

std::string checksimulation()
{
	std::string s = checkparticles();
	if (s.empty())
		s = checkbondrecords();
	if (s.empty())
		s = checkquads();
	if (s.empty())
		s = checkobjects();
	return s;
}
