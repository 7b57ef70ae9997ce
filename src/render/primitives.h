// The two shapes the maze, the items, the ghosts and the player are built from.
// Both draw in the current modelview transform with whatever colour, material,
// texture and enables the caller has set, and open and close their own
// primitive groups (so they are called outside any glBegin/glEnd pair).
#pragma once

// A latitude/longitude patch of a sphere centred on the origin. Angles are in
// radians: longitude theta runs in the x-z plane from +x towards +z, latitude
// phi from the x-z plane towards the +y pole. `detail` columns cover the
// longitude range and detail/2 bands the latitude range; stripMode 0 draws quad
// strips, anything else triangle strips. A detail below 4 or a radius of 0
// draws a single point at the origin.
void DrawPartialSphere(double radius, int detail, int stripMode, double theta1, double theta2,
                       double phi1, double phi2);

// A vertical cylinder sector of radius 0.15 and height 1.5 standing on y = 0,
// with its top cap and texture coordinates; angles in degrees from +x towards
// +z. Always 16 vertices: the straight sides are left open for the adjoining
// wall blocks to close.
void DrawCylinderSector(float startDegrees, float sweepDegrees);

// Length of the three floats v[0], v[1], v[2].
float VectorLength(const float* v);

// Scales (*x, *y, *z) to unit length in place. A zero vector has no direction
// and is left as it is, rather than turned into NaNs.
void NormalizeVector(float* x, float* y, float* z);
