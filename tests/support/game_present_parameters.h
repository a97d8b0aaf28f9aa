// The present parameters of the game's device, for tests that make devices of their own.
#pragma once

#include "platform/d3d9.h"

// As the render engine asks: windowed, a 16-bit depth buffer, presents that do not wait for the
// display. A size of 0 takes the window's.
inline D3DPRESENT_PARAMETERS GamePresentParameters(UINT width = 0, UINT height = 0) {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return parameters;
}
