// Test levels with a distinct value in every field, and a copy of all the
// state a level load may change, for tests of the world's files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "world/landscape.h"
#include "world/level.h"

// Every 4-byte word of the level gets its own value from a counter.
struct distinctcounter {
	int next;
};

inline int distinctint(distinctcounter *c)
{
	return 1000 + c->next++;
}

inline float distinctfloat(distinctcounter *c)
{
	return 0.5f + (float)c->next++;
}

inline void distinctvector(distinctcounter *c, vector3 *v)
{
	v->x = distinctfloat(c);
	v->y = distinctfloat(c);
	v->z = distinctfloat(c);
}

inline void distincttext(distinctcounter *c, char *text)
{
	for (int i = 0; i < NAMESIZE - 1; i++)
		text[i] = (char)('a' + (c->next + i) % 26);
	text[NAMESIZE - 1] = 0;
	c->next++;
}

inline void distinctorientation(distinctcounter *c, orientation *o)
{
	for (int k = 0; k < 3; k++)
		distinctvector(c, &o->v[k]);
}

// A valid level and bridge: counts within their capacities, link ends and
// prop models in range, every other word distinct.
inline void filldistinctlevel(int width, int depth, int points, int links)
{
	distinctcounter c = {0};
	memset(&level, 0, sizeof level);
	level.landscapewidth = width;
	level.landscapedepth = depth;
	level.waterlevel = distinctfloat(&c);
	for (colorbandstruct &band : level.colorband) {
		distinctvector(&c, &band.color);
		band.top = distinctfloat(&c);
	}
	distincttext(&c, level.levelname);
	distincttext(&c, level.designer);
	for (auto &line : level.description)
		distincttext(&c, line);
	distincttext(&c, level.bridgename);
	distincttext(&c, level.architect);
	level.budget = distinctint(&c);
	for (int &limit : level.materiallimit)
		limit = distinctint(&c);
	level.numofphases = 3;
	for (phasestruct &phase : level.phase) {
		phase.type = distinctint(&c);
		for (float &word : phase.data)
			word = distinctfloat(&c);
	}
	level.numoflevelobjects = 2;
	for (int i = 0; i < MAXLEVELOBJECTS; i++) {
		levelobjectstruct *o = &level.levelobject[i];
		o->type = i < 2 ? 17 + i : distinctint(&c);
		o->numofcars = i < 2 ? 3 : distinctint(&c);
		for (int &car : o->cartype)
			car = i < 2 ? 5 : distinctint(&c);
		for (int &in : o->inphase)
			in = distinctint(&c);
		distinctvector(&c, &o->position);
		distinctorientation(&c, &o->orientation);
		o->numofwaypoints = i < 2 ? 4 : distinctint(&c);
		for (vector3 &w : o->waypoint)
			distinctvector(&c, &w);
	}
	level.numofprops = 3;
	for (int i = 0; i < MAXPROPS; i++) {
		propstruct *p = &level.prop[i];
		p->model = i < 3 ? i - 1 : distinctint(&c);
		distincttext(&c, p->name);
		distinctvector(&c, &p->position);
		distinctorientation(&c, &p->orientation);
	}
	for (vector3 &color : level.linkcolor)
		distinctvector(&c, &color);
	for (float &h : landscape.height)
		h = distinctfloat(&c);
	numofpoints = points;
	for (int i = 0; i < points; i++) {
		point[i].type = i % 4;
		distinctvector(&c, &point[i].position);
	}
	numoflinks = links;
	for (int i = 0; i < links; i++) {
		beam[i].type = 2 + i % 7;
		beam[i].deck = i % 2;
		beam[i].point1 = i % points;
		beam[i].point2 = (i + 1) % points;
		beam[i].highlight = distinctint(&c);
	}
}

// All the state a level load may change.
struct worldstate {
	levelstruct level;
	float height[LANDSCAPEVERTICES];
	int numofpoints;
	int numoflinks;
	pointstruct point[MAXPOINTS];
	beamstruct beam[MAXLINKS];
};

inline worldstate savedworld;

inline void saveworldstate(worldstate *s)
{
	s->level = level;
	memcpy(s->height, landscape.height, sizeof s->height);
	s->numofpoints = numofpoints;
	s->numoflinks = numoflinks;
	memcpy(s->point, point, sizeof s->point);
	memcpy(s->beam, beam, sizeof s->beam);
}

inline bool worldstateunchanged(const worldstate *s)
{
	return !memcmp(&s->level, &level, sizeof level) &&
		!memcmp(s->height, landscape.height, sizeof s->height) &&
		s->numofpoints == numofpoints && s->numoflinks == numoflinks &&
		!memcmp(s->point, point, sizeof s->point) && !memcmp(s->beam, beam, sizeof s->beam);
}

inline int32_t wordat(const std::string &bytes, size_t offset)
{
	uint32_t w = (uint8_t)bytes[offset] | (uint8_t)bytes[offset + 1] << 8 |
		(uint8_t)bytes[offset + 2] << 16 | (uint32_t)(uint8_t)bytes[offset + 3] << 24;
	return (int32_t)w;
}

inline float floatat(const std::string &bytes, size_t offset)
{
	int32_t w = wordat(bytes, offset);
	float f;
	memcpy(&f, &w, 4);
	return f;
}

inline void putword(std::string *bytes, size_t offset, int32_t value)
{
	for (int k = 0; k < 4; k++)
		(*bytes)[offset + k] = (char)((uint32_t)value >> (8 * k));
}
