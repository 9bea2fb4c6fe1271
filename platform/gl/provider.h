// What a backend tells the build's GL provider. The system's GL keeps its state in the driver; a provider of
// our own keeps GL 1.1's state per context, so it hears of each context's life, and it asks for an OpenGL ES
// context rather than a desktop one.
#pragma once

namespace glprovider {
#ifdef CORVALA_GL_OWN_CONTEXTS
constexpr bool kWantsES = true;
// `context` is the backend's handle, any unique non-null value.
void Created(const void* context);
void MadeCurrent(const void* context);  // null: none is current
void Deleted(const void* context);
bool HasCurrent();
// Before the current context's picture is presented, and before another context is made current or
// made at all: what is still batched is drawn into the context it was meant for.
void Finish();
#else
constexpr bool kWantsES = false;
inline void Created(const void*) {}
inline void MadeCurrent(const void*) {}
inline void Deleted(const void*) {}
inline void Finish() {}
#endif
}  // namespace glprovider
