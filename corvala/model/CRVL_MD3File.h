/// @file
/// The MD3 file's records and constants, which are also the loaded model's records: every one is
/// little-endian on disk and read with one copy straight into its array.
///
/// This header includes nothing, so that tools which write or inspect MD3 files learn its layout
/// without the framework or the system under it. Its fields are plain types; the asserts at the end
/// hold them to the file's widths.
#pragma once

namespace corvala {

constexpr char kMd3Ident[] = "IDP3";       ///< the file's first four bytes, in any letter case
constexpr int kMd3Version = 15;            ///< the one MD3 version read
constexpr double kMd3XyzScale = 1.0 / 64;  ///< a stored vertex coordinate is this many model units
constexpr int kMd3NameLength = 64;         ///< a name's bytes (file, surface, tag, skin), NUL-padded
constexpr int kMd3FrameNameLength = 16;    ///< a frame's name's bytes, NUL-padded

/// A point or direction in 3D: how MD3 stores one, and the framework's vector everywhere else.
struct TGLVECTOR {
    float X;  ///< x coordinate
    float Y;  ///< y coordinate
    float Z;  ///< z coordinate
};

/// An MD3 file's header.
struct TGLMD3HEADER {                   // 108 bytes at offset 0
    char ID[4];                         ///< kMd3Ident in any letter case
    int VERSION;                        ///< kMd3Version
    char FILENAME[kMd3NameLength + 4];  ///< the name the file gives itself, and its flags; not consulted
    int NUMBONEFRAMES;                  ///< frames F; after a complete load F - 1, the last frame's index
    int NUMTAGS;                        ///< tags per frame T
    int NUMMESHES;                      ///< surfaces S
    int NUMMAXSKINS;                    ///< not consulted
    int HEADERLENGTH;                   ///< not consulted: the frames follow the header directly
    int TAGSTART;                       ///< not consulted: the tags follow the frames directly
    int TAGEND;                         ///< not consulted: the first surface follows the tags directly
    int FILESIZE;                       ///< not consulted
};

/// One frame's bounds, as the file stores them (not consulted by the framework).
struct TGLBONEFRAME {                   // 56 bytes; F of them straight after the header
    float MINS[3];                      ///< lower corner of the frame's bounding box
    float MAXS[3];                      ///< upper corner of the frame's bounding box
    float POSITION[3];                  ///< the frame's local origin
    float SCALE;                        ///< radius of the frame's bounding sphere
    char CREATOR[kMd3FrameNameLength];  ///< the frame's name
};

typedef float TGLROTATIONMATRIX[3][3];  ///< row i is the tag's axis i

/// A tag: a named place and orientation on the model, where another model hangs.
struct TGLTAG {                  // 112 bytes; F x T of them straight after the frames, frame-major
    char NAME[kMd3NameLength];   ///< the tag's name (tag_torso, tag_head, ...)
    TGLVECTOR POSITION;          ///< origin of the tag in the model's space
    TGLROTATIONMATRIX ROTATION;  ///< the tag's axes
};

/// A surface's header.
struct TGLMESHHEADER {              // 108 bytes at the start of each surface
    char ID[4];                     ///< not checked
    char NAME[kMd3NameLength + 4];  ///< the surface's name, which skins name it by, and its flags
    int NUMMESHFRAMES;              ///< frames stored for this surface
    int NUMSKINS;                   ///< skin names K, read at offset 108 of the surface
    int NUMVERTEXES;                ///< vertices per frame V
    int NUMTRIANGLES;               ///< triangles N
    int TRISTART;                   ///< offsets from the surface's start
    int HEADERSIZE;                 ///< not consulted: the skin names are read at offset 108
    int TEXVECTORSTART;             ///< offset of the texture coordinates from the surface's start
    int VERTEXSTART;                ///< offset of the vertices from the surface's start
    int MESHSIZE;                   ///< the next surface starts this far from this one's start
};

/// A triangle of a surface.
struct TGLMD3TRIANGLE {  // 12 bytes
    int VERTEX[3];       ///< indices into one frame's vertices
};

/// A vertex's texture coordinate.
struct TGLMD3TEXCOORD {  // 8 bytes
    float COORD[2];      ///< S, T; one per vertex, shared by all frames
};

/// A vertex of one frame: its position and its encoded normal.
struct TVERTEX {              // 8 bytes
    short VERTEX[3];          ///< X, Y, Z in units of kMd3XyzScale
    unsigned char NORMAL[2];  ///< indices into MD3NORMAL
};

/// A skin name stored with a surface.
struct TGLMD3SKIN {                 // 68 bytes: a 64-character name and 4 more bytes
    char NAME[kMd3NameLength + 4];  ///< as in the file
};

// The plain types above are the file's widths on every system the framework builds for; these say so.
static_assert(sizeof(int) == 4 && sizeof(short) == 2 && sizeof(float) == 4, "MD3 fields are 32 and 16 bits");
static_assert(sizeof(TGLVECTOR) == 12, "TGLVECTOR is 12 bytes");
static_assert(sizeof(TGLMD3HEADER) == 108, "TGLMD3HEADER is 108 bytes");
static_assert(sizeof(TGLBONEFRAME) == 56, "TGLBONEFRAME is 56 bytes");
static_assert(sizeof(TGLTAG) == 112, "TGLTAG is 112 bytes");
static_assert(sizeof(TGLMESHHEADER) == 108, "TGLMESHHEADER is 108 bytes");
static_assert(sizeof(TGLMD3TRIANGLE) == 12, "TGLMD3TRIANGLE is 12 bytes");
static_assert(sizeof(TGLMD3TEXCOORD) == 8, "TGLMD3TEXCOORD is 8 bytes");
static_assert(sizeof(TVERTEX) == 8, "TVERTEX is 8 bytes");
static_assert(sizeof(TGLMD3SKIN) == 68, "TGLMD3SKIN is 68 bytes");

}  // namespace corvala
