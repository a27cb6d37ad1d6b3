// The 3D frame: render switches, the sun, the light and the two scene passes.
#pragma once

struct renderoptionsstruct {
	int showstress;         // bonds by stress colour, no bond shadows
	int showstressmax;      // stress colour from the peak
	int lighting;           // GL_LIGHT1 as the sun
	int shadows;            // stencil shadow volumes (only with lighting)
	int reflections;        // planar water reflection
	int showinternalbonds;  // bonds of internal types too
	int showparticles;      // a marker at every particle
	int wireframe;          // the calling screen draws lines
	int detaillevel;        // 0, 1, 2: landscape distance detail
	int fastlandscape;      // landscape and water only in sector rows 15 and 16
};
static_assert(sizeof(renderoptionsstruct) == 40, "ten int switches");

struct lightstruct {
	float ambient[4];
	float diffuse[4];
	float specular[4];
	float position[4];  // w 0 for a direction
};

constexpr int MAXLIGHTS = 16;

extern renderoptionsstruct renderoptions;
extern lightstruct light[MAXLIGHTS];
extern int numoflights;
extern float lightzero[4];
extern float material[13];  // ambient, diffuse, specular RGBA, shininess
extern float sundirection[3];
extern float suncolor[4];
extern float skycolor[4];
extern float sunangle;   // from the zenith, radians
extern float sunangle2;  // bearing, radians
extern int reflectionpass;
// Set once the window exists: reflections and shadows need 8 stencil bits and
// are left out, rather than drawn wrongly, on a window with fewer.
extern int stencilbits;

// Sun direction, colour and sky colour from sunangle and sunangle2.
void setupsun();
void renderframe();
void renderscene();
// Reads the window's stencil depth; call after the OpenGL window is created.
void setuprender();
