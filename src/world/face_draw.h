// Small drawing helpers shared by the maze and its items: flat faces that
// wind themselves to match their normal, the maze's four materials, and
// texture binding that tolerates a texture that never loaded.
#pragma once

class Texture;

namespace maze_draw {

// One corner of a face: position and texture coordinate.
struct Corner {
  float x, y, z;
  float s, t;
};

// Sends one quadrilateral with a constant normal. The corners are given in
// either cyclic order around the face; they are sent counter-clockwise as
// seen from the side the normal points to, so back-face culling keeps every
// face that looks at the viewer. Called inside glBegin(GL_QUADS).
void Face(float nx, float ny, float nz, const Corner& a, const Corner& b, const Corner& c, const Corner& d);

// An upright face in the plane x = px, from z0 to z1 and y0 to y1, facing +x
// (normalSign > 0) or -x; s runs from s0 at z0 to s1 at z1, t from t0 at y0
// to t1 at y1.
void FaceX(float px, int normalSign, float z0, float z1, float s0, float s1, float y0 = 0.0f,
           float y1 = 1.5f, float t0 = 0.0f, float t1 = 1.0f);
// The same in the plane z = pz, from x0 to x1.
void FaceZ(float pz, int normalSign, float x0, float x1, float s0, float s1, float y0 = 0.0f,
           float y1 = 1.5f, float t0 = 0.0f, float t1 = 1.0f);
// A level face in the plane y = py, corners (x0,z0), (x1,z0), (x1,z1), (x0,z1)
// with their texture coordinates.
struct TexCoord {
  float s, t;
};
void FaceY(float py, int normalSign, float x0, float x1, float z0, float z1, TexCoord at00, TexCoord at10,
           TexCoord at11, TexCoord at01);

enum class Material { Blue, Green, Red, Orange };
// Diffuse and specular the colour, ambient a seventh of it, front faces.
void SetMaterial(Material material);

// Binds the texture, or no texture at all when it is missing or never loaded
// (so a missing picture never leaves another one's picture on a face).
void BindTexture(Texture* texture);

}  // namespace maze_draw
