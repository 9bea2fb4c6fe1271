/// @file
/// MD3 models: loading, interpolated drawing and frame timing, over the file's records of CRVL_MD3File.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CRVL_MD3File.h"

namespace corvala {

/// The column-major GL matrix that puts a model hung at TAG in its parent's space (for glMultMatrixf).
inline void TagMatrix(const TGLTAG& TAG, float M[16]) {
    const float m[16] = {TAG.ROTATION[0][0], TAG.ROTATION[0][1], TAG.ROTATION[0][2], 0,
                         TAG.ROTATION[1][0], TAG.ROTATION[1][1], TAG.ROTATION[1][2], 0,
                         TAG.ROTATION[2][0], TAG.ROTATION[2][1], TAG.ROTATION[2][2], 0,
                         TAG.POSITION.X,     TAG.POSITION.Y,     TAG.POSITION.Z,     1};
    for (int i = 0; i < 16; ++i) M[i] = m[i];
}

/// A surface as loaded.
struct TMESH {
    TGLMESHHEADER MESHHEADER{};            ///< its header as in the file
    std::vector<TGLMD3SKIN> SKINS;         ///< K skin names (stored, never turned into textures)
    std::vector<TGLMD3TRIANGLE> TRIANGLE;  ///< N triangles
    std::vector<TGLMD3TEXCOORD> TEXCOORD;  ///< V texture coordinates
    std::vector<TVERTEX> VERTEX;           ///< NUMMESHFRAMES x V vertices, frame-major
    uint32_t TEXTURE = 0;                  ///< bound while drawing when SETTEXTURE is true
    bool SETTEXTURE = false;               ///< TEXTURE is to be bound
};

struct TGLMD3MODEL;
typedef TGLMD3MODEL* PGLMD3MODEL;  ///< a model attached at a tag (TGLMD3MODEL::LINKS)

/// An MD3 model: its frames, tags and surfaces, the frame it plays, and the models hung at its tags.
struct TGLMD3MODEL {
    int32_t FRAME = 0;                     ///< frame at blend factor 0; also picks the attached models' tags
    int32_t STARTFRAME = 0;                ///< playing range, inclusive
    int32_t ENDFRAME = 0;                  ///< playing range, inclusive
    int32_t NEXTFRAME = 0;                 ///< frame at blend factor 1
    int32_t FPS = 0;                       ///< frames per clock unit
    float POLL = 0;                        ///< clock time since the last frame change: the blend factor
    float LASTUPDATE = 0;                  ///< clock time of the last frame change
    uint32_t TXTURE = 0;                   ///< not consulted
    std::string MD3NAME;                   ///< file name of the last load that found its file
    TGLMD3HEADER HEADER{};                 ///< the file's header
    std::vector<TGLBONEFRAME> BONEFRAMES;  ///< F frames
    std::vector<TGLTAG> TAGS;              ///< F x T tags, frame-major
    std::vector<TMESH> MESHES;             ///< S surfaces in file order
    std::vector<PGLMD3MODEL> LINKS;        ///< one per tag: the model attached there or none; not owned

    /// FILENAME: an .md3 file (program path); silent on failure (LastLoadError says why).
    void LOADMODEL(const std::string& FILENAME);
    void PUTMODEL();  ///< draws at FRAME, NEXTFRAME, POLL
    /// CURRENTFRAME, NEXFRAME: frame numbers; POL: 0 draws CURRENTFRAME, 1 NEXFRAME, between them blends.
    void PUTMODELINT(int32_t CURRENTFRAME, int32_t NEXFRAME, double POL);
    void DRAWSKELETON(TGLMD3MODEL& MDL);  ///< MDL: drawn with the models at its tags; this object plays no part
    /// TIME: the caller's monotonic clock, in its own unit (FPS frames per unit); steps at most one frame a call.
    void UPDATEFRAME(float TIME);
    /// TAGNAME: one of this model's tags; MODEL: drawn there by DRAWSKELETON. False when no tag has the name.
    bool LINKMODEL(const std::string& TAGNAME, TGLMD3MODEL& MODEL);
    int32_t LOADSKIN(const std::string& FILENAME);  ///< a .skin file's images onto the surfaces it names;
                                                    ///< surfaces textured (needs the GL context)
};

extern double MD3NORMAL[256][256][3];  ///< unit normal for each pair of encoded normal bytes

void INITNORMALS();  ///< fills MD3NORMAL; the loaders call it while the table is empty

/// The byte-level half of LOADMODEL: reads an MD3 image from memory into MODEL. Returns true when the
/// model took the file's frames, tags and surfaces. Otherwise the model keeps all its arrays and its
/// playing range; HEADER holds the file's header whenever the file had 108 bytes to give one, as after
/// a rejected identifier or version. MD3NAME is the caller's business.
bool load_md3_from_memory(TGLMD3MODEL& MODEL, const uint8_t* data, size_t size);

/// The lines of a model's text files (animation.cfg, .skin): they end in LF, CR LF or a lone CR, and no
/// line keeps its carriage return.
std::vector<std::string> split_lines(const std::string& text);

/// One line of a .skin file: a surface name and the image drawn on it.
struct SkinEntry {
    std::string surface;  ///< the surface's name
    std::string image;    ///< the file name only: any folder in the line is dropped
    std::string path;     ///< the image as the line names it, folders included (from the game's data folder)
};

/// The text half of LOADSKIN: "surface,folder/image.tga" lines, in file order. Lines without a comma,
/// without a surface or without an image (the tag lines of a player's skin) give no entry.
std::vector<SkinEntry> parse_skin(const std::string& text);

}  // namespace corvala
