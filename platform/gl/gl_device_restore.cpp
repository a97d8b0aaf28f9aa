// A lost context's return: the device makes its OpenGL objects anew from what it keeps itself, as
// a Direct3D 9 device restores its managed resources; the game notices nothing.
#include "platform/gl/gl_device.h"
#include "platform/gl/gl_texture.h"

namespace platform::gl {

bool GlDevice::ContextUsable() {
    switch (context->TakeState()) {
        case ContextState::LOST:
            return false;
        case ContextState::RESTORED:
            RecreateOpenGlObjects();
            return true;
        default:
            return true;
    }
}

void GlDevice::RecreateOpenGlObjects() {
    MakeCurrent();
    // The old names died with the context; deleting them is only bookkeeping now.
    for (GlTexture* texture : textures) {
        pages.Free(texture->Place());
    }
    pages.Free(white);
    pages.DeleteAll();
    programs = std::make_unique<ProgramCache>(Flavour());
    program = nullptr;
    keyDirty = true;
    fixedStatesKnown = false;
    fixedStatesDirty = true;
    layer.reset();
    layerBound = false;
    indexCache.reset();
    vertexCache.reset();
    indexStream.reset();
    vertexStream.reset();
    glDeleteVertexArrays(1, &vertexArray);
    // New names may repeat dead ones, so nothing counts as bound any more.
    bufferBindings = BufferBindings{};
    attributeSource = 0;
    // Makes FitToDrawable set the viewport again.
    drawableWidth = 0;
    drawableHeight = 0;
    InitialiseOpenGl();
    for (GlTexture* texture : textures) {
        texture->PlaceAgain();
    }
}

}  // namespace platform::gl
