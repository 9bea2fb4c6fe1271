// Display lists: each entry point records itself while a list is being made, and a call replays the
// records through the same entry points, so a list drawn in selection mode picks as it would draw.
#include <algorithm>

#include "platform/gl/es2/es2.h"

namespace es2 {

constexpr int kMaxNesting = 64;

bool Record(Context& c, const Op& op) {
    if (!c.compiling || c.call_depth > 0) return true;  // what a replay does is not recorded again
    c.recording.push_back(op);
    return c.list_mode == GL_COMPILE_AND_EXECUTE;
}

namespace {

bool attribute(uint16_t code) {
    return code == kVertex3f || code == kNormal3f || code == kColor4f || code == kTexCoord2f;
}

// Each glBegin to glEnd of nothing but vertices and their attributes becomes one block.
std::vector<Op> compact(std::vector<Op> ops) {
    std::vector<Op> out;
    for (size_t i = 0; i < ops.size(); ++i) {
        size_t end = i + 1;
        while (ops[i].code == kBegin && end < ops.size() && attribute(ops[end].code)) ++end;
        if (ops[i].code != kBegin || end == ops.size() || ops[end].code != kEnd) {
            out.push_back(std::move(ops[i]));
            continue;
        }
        auto b = std::make_shared<Block>();
        b->mode = ops[i].e[0];
        b->ops.assign(ops.begin() + long(i), ops.begin() + long(end) + 1);
        for (size_t k = i + 1; k < end; ++k) {
            const float* f = ops[k].f;
            switch (ops[k].code) {
            case kVertex3f: b->xyz.insert(b->xyz.end(), f, f + 3); break;
            case kNormal3f: b->has[0] = true, std::copy(f, f + 3, b->normal); break;
            case kColor4f: b->has[1] = true, std::copy(f, f + 4, b->color); break;
            default: b->has[2] = true, std::copy(f, f + 2, b->tex); break;
            }
        }
        out.push_back({kPrimitive, {}, {}, nullptr, std::move(b)});
        i = end;
    }
    return out;
}

void replay_one(Context& c, const Op& o) {
    const float* f = o.f;
    switch (o.code) {
    case kAlphaFunc: es2_glAlphaFunc(o.e[0], f[0]); break;
    case kBegin: es2_glBegin(o.e[0]); break;
    case kBindTexture: es2_glBindTexture(o.e[0], o.e[1]); break;
    case kBlendFunc: es2_glBlendFunc(o.e[0], o.e[1]); break;
    case kCallList: es2_glCallList(o.e[0]); break;
    case kClear: es2_glClear(o.e[0]); break;
    case kClearColor: es2_glClearColor(f[0], f[1], f[2], f[3]); break;
    case kClearDepth: es2_glClearDepth(f[0]); break;
    case kColor4f: es2_glColor4f(f[0], f[1], f[2], f[3]); break;
    case kColorMask: es2_glColorMask(GLboolean(f[0]), GLboolean(f[1]), GLboolean(f[2]), GLboolean(f[3])); break;
    case kCullFace: es2_glCullFace(o.e[0]); break;
    case kDepthFunc: es2_glDepthFunc(o.e[0]); break;
    case kDepthMask: es2_glDepthMask(GLboolean(o.e[0])); break;
    case kDisable: es2_glDisable(o.e[0]); break;
    case kEnable: es2_glEnable(o.e[0]); break;
    case kEnd: es2_glEnd(); break;
    case kFrontFace: es2_glFrontFace(o.e[0]); break;
    case kHint: es2_glHint(o.e[0], o.e[1]); break;
    case kInitNames: es2_glInitNames(); break;
    case kLightModeli: es2_glLightModeli(o.e[0], GLint(o.e[1])); break;
    case kLightfv: es2_glLightfv(o.e[0], o.e[1], f); break;
    case kLineWidth: es2_glLineWidth(f[0]); break;
    case kLoadIdentity: es2_glLoadIdentity(); break;
    case kLoadMatrixf: es2_glLoadMatrixf(o.more->data()); break;
    case kLoadName: es2_glLoadName(o.e[0]); break;
    case kMatrixMode: es2_glMatrixMode(o.e[0]); break;
    case kMultMatrixf: es2_glMultMatrixf(o.more->data()); break;
    case kNormal3f: es2_glNormal3f(f[0], f[1], f[2]); break;
    case kPointSize: es2_glPointSize(f[0]); break;
    case kPolygonMode: es2_glPolygonMode(o.e[0], o.e[1]); break;
    case kPopMatrix: es2_glPopMatrix(); break;
    case kPopName: es2_glPopName(); break;
    case kPushMatrix: es2_glPushMatrix(); break;
    case kPushName: es2_glPushName(o.e[0]); break;
    case kTexCoord2f: es2_glTexCoord2f(f[0], f[1]); break;
    case kTexEnvi: es2_glTexEnvi(GL_TEXTURE_ENV, o.e[0], GLint(o.e[1])); break;
    case kTexImage2D: ReplayImage(c, *o.more); break;
    case kTexParameteri: es2_glTexParameteri(GL_TEXTURE_2D, o.e[0], GLint(o.e[1])); break;
    case kVertex3f: es2_glVertex3f(f[0], f[1], f[2]); break;
    case kViewport: es2_glViewport(GLint(o.e[0]), GLint(o.e[1]), GLsizei(f[0]), GLsizei(f[1])); break;
    case kPrimitive: {
        const Block& b = *o.block;
        if (c.render_mode != GL_SELECT || c.in_begin || b.mode > GL_POLYGON) {
            for (const Op& inner : b.ops) replay_one(c, inner);
            break;
        }
        SelectPrimitive(c, b.mode, b.xyz.data(), b.xyz.size() / 3, 3);
        if (b.has[0]) std::copy(b.normal, b.normal + 3, c.normal);
        if (b.has[1]) std::copy(b.color, b.color + 4, c.color);
        if (b.has[2]) std::copy(b.tex, b.tex + 2, c.tex);
        break;
    }
    default: break;
    }
}

}  // namespace

void Replay(Context& c, const std::vector<Op>& ops) {
    if (c.call_depth >= kMaxNesting) return;
    ++c.call_depth;
    for (const Op& o : ops) replay_one(c, o);
    --c.call_depth;
}

}  // namespace es2

using namespace es2;

extern "C" {

GLuint es2_glGenLists(GLsizei range) {
    Context* c = Current();
    if (!c) return 0;
    if (range < 0) {
        SetError(*c, GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) return 0;
    // The first run of `range` unused names; each is reserved by an empty list.
    GLuint first = c->list_next;
    for (GLuint n = first; n < first + GLuint(range); ++n)
        if (c->lists.count(n)) first = n + 1;
    for (GLuint n = first; n < first + GLuint(range); ++n) c->lists[n];
    c->list_next = first + GLuint(range);
    return first;
}

void es2_glNewList(GLuint list, GLenum mode) {
    Context* c = Current();
    if (!c) return;
    if (list == 0) return SetError(*c, GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return SetError(*c, GL_INVALID_ENUM);
    if (c->compiling || c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    c->compiling = list;
    c->list_mode = mode;
    c->recording.clear();
}

void es2_glEndList(void) {
    Context* c = Current();
    if (!c) return;
    if (!c->compiling || c->in_begin) return SetError(*c, GL_INVALID_OPERATION);
    c->lists[c->compiling] = compact(std::move(c->recording));
    c->recording.clear();
    c->compiling = 0;
    c->list_mode = 0;
}

void es2_glCallList(GLuint list) {
    Context* c = Current();
    if (!c || (c->compiling && !Record(*c, {kCallList, {list, 0}, {}, nullptr}))) return;
    auto it = c->lists.find(list);
    if (it == c->lists.end()) return;
    Replay(*c, it->second);  // nothing a list holds can remake a list, so it stays as it is
}

}  // extern "C"
