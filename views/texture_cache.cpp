#include "texture_cache.h"

#include "asset_path.h"

namespace ampera {

const CTextureImage* CTextureCache::Get(const std::string& name) {
    if (auto it = m_textures.find(name); it != m_textures.end()) return it->second.get();
    if (!m_loader) return nullptr;
    std::shared_ptr<CTextureImage> image = m_loader->Load(AssetPath(name));
    if (!image) return nullptr;
    image->name = name;
    image->id = m_nextId++;
    m_byHandle[image.get()] = image;
    m_textures.emplace(name, image);
    return image.get();
}

std::shared_ptr<const CTextureImage> CTextureCache::Share(const CTextureImage* texture) const {
    auto it = m_byHandle.find(texture);
    return it == m_byHandle.end() ? nullptr : it->second;
}

} // namespace ampera
