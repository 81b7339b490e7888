#include "framework/bounds_sphere.h"

#include "framework/engine_utils.h"
#include "platform/d3dx_shapes.h"
#include "platform/device.h"

D3DMATERIAL9 OverlayMaterial(const D3DCOLORVALUE& colour) {
    D3DMATERIAL9 m = MakeMaterial(colour);
    m.Emissive = {0, 0, 0, 1};
    return m;
}

void DrawBoundsSphere(Device* device, const Sphere& s, std::shared_ptr<D3DXMesh>& cache,
                      const D3DMATERIAL9& material, float alpha) {
    D3DMATERIAL9 m = material;
    m.Diffuse.a = alpha;
    device->SetMaterial(m);
    device->SetTexture(0, nullptr);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTransform(D3DTS_WORLD, D3DXMatrixTranslation(s.centre.x, s.centre.y, s.centre.z));
    if (!cache) cache = D3DXCreateSphere(device, s.radius, 20, 20);
    if (cache) cache->DrawSubset(*device, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
}
